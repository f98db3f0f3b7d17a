#pragma once

// Paths of files and folders as the editors and packages build them.

#include <QString>

// `path` ending with '/'. An empty path stays empty: it must not turn into the root folder.
QString QzAddPathBar(const QString& path);
// ".pim" for "pim" and for ".pim"; an empty extension stays empty.
QString QzAddPointExt(const QString& ext);
// The folder of the library's installed packages (the shipped "Standard.dis" and base language
// files), ending with '/': the "packages" folder of the installation. The installation is the
// folder named by the environment variable QZ_INSTALL_DIR when it is set, else the folder the
// runtime library was loaded from. The folder is not created and need not exist.
QString QzGetInstallPackagesExists();

// A file filter written as the library writes them ("Text files (*.txt)|*.txt|All (*.*)|*.*":
// names and patterns in turns) as the file dialogs take it ("Text files (*.txt);;All (*.*)").
QString QzDialogFilter(const QString& filter);
