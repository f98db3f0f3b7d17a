#pragma once

// What each palette picture shows, by resource name (the class name in upper case).

#include <map>
#include <string>

class Sketch;

using PaletteDrawing = void (*)(Sketch&);
using PaletteDrawingMap = std::map<std::string, PaletteDrawing>;

// Every picture.
const PaletteDrawingMap& PaletteDrawings();

// Each file of pictures adds its own: the first three palette pages, then the editors page
// and the library classes that are not on the palette.
void AddControlPictures(PaletteDrawingMap& drawings);
void AddEditorAndInertPictures(PaletteDrawingMap& drawings);
