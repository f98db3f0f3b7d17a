#pragma once

// Units and forms of a project read without a display, the same way by the designer and by the
// command line: a unit's text, the class a form's root is made of, a form file read into its
// root component, and all the forms of a project read at once.

#include "Classes.h"
#include "QzProjectFile.h"
#include "TextEncoding.h"

#include <functional>
#include <memory>
#include <vector>

// The text of the unit `fileName`: UTF-8 when it is valid UTF-8, else Windows-1252; `encoding`,
// when given, receives which, so that a save can keep it. Raises EQzError when it cannot be read.
QString QzReadUnitText(const QString& fileName, TTextEncoding* encoding = nullptr);

// The class a form's root is made of: the form's own class when it is registered, else the
// ancestor the unit declares for it when that is, else a plain form.
TClass QzFormRootClass(const QString& formClass, const QString& unitText);

// The form file `formData` (any stored form) read into a new root of QzFormRootClass, which
// streams as the form's own class. With `designing` the root is designed from the start, so that
// every component the form creates is designed too. Raises what the readers raise; nothing made
// is left behind.
std::unique_ptr<TComponent> QzReadFormRoot(const QByteArray& formData, const QString& unitText,
                                           bool designing);

// A project's forms for work without a display. The forms are read into components only when
// asked (LoadComponents), so that the application's display sets and privileges and the packages
// kept in forms or in files are there to count and check against; forms that hold none of these
// are freed again at once, so that memory does not grow with the number of forms. While it
// lives, file-stored packages are found beside the project; the main form, which owns the
// application, is freed last.
class TQzProjectForms {
public:
    // Called for each form that cannot be read, with its file, the reason and the line it names
    // (counted from 1; 0 for none); the other forms are still read.
    using TFailure = std::function<void(const QString& formFile, const QString& message, int line)>;

    // Reads the project file; raises EQzError when it cannot be read or followed.
    explicit TQzProjectForms(const QString& dprFile);
    // The same, then LoadComponents(failure).
    TQzProjectForms(const QString& dprFile, const TFailure& failure);
    ~TQzProjectForms();
    TQzProjectForms(const TQzProjectForms&) = delete;
    TQzProjectForms& operator=(const TQzProjectForms&) = delete;

    void LoadComponents(const TFailure& failure);

    QStringList FormFiles() const { return FProject.FormFileNames(); }
    // `file` relative to the project's folder.
    QString Relative(const QString& file) const;

private:
    TQzProjectFile FProject;
    std::vector<std::unique_ptr<TComponent>> FRoots;
};
