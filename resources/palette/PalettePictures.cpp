#include "PalettePictures.h"

#include "PaletteSketch.h"

#include <algorithm>

// Every picture is drawn on the 16 x 16 design grid. Data controls repeat their plain
// control's picture, drawn smaller where needed, with the database sign in the lower right.

namespace {

using namespace Ink;

// ---- Pieces several pictures share -------------------------------------------------------

void caret(Sketch& s, double x, double y, double h) {
    s.vline(x + 0.5, y, h, Black);
    s.hline(x, y, 1.5, Black);
    s.hline(x, y + h - 0.5, 1.5, Black);
}

void editBox(Sketch& s, double y) {
    s.field(0, y, 16, 8);
    s.fill(2, y + 3, 6, 2, Black);
    caret(s, 9.5, y + 1.5, 5);
}

void comboBox(Sketch& s, double y) {
    s.field(0, y, 16, 8);
    s.fill(2, y + 3, 7, 2, Black);
    s.comboButton(10, y + 1, 5, 6);
}

void listBox(Sketch& s, double w, double h) {
    s.field(0, 0, w, h);
    const double text = w - 8;
    s.textBar(2, 2.5, text);
    s.fill(1, 4.5, w - 6, 3, Navy);
    s.textBar(2, 5.5, text, White);
    s.textBar(2, 8.5, text - 1);
    s.textBar(2, 11.5, text);
    s.scrollBar(w - 5, 1, 4, h - 2, 0.4);
}

void richLines(Sketch& s, double y, double w) {
    s.fill(2, y, w * 0.35, 2, Black);
    s.textBar(2, y + 3, w * 0.3, Red);
    s.textBar(2 + w * 0.35, y + 3, w * 0.25, Black);
    s.textBar(2, y + 5, w * 0.2, Black);
    s.textBar(3 + w * 0.2, y + 5, w * 0.4, Blue);
    s.textBar(2, y + 7, w * 0.55, Green);
    s.textBar(2, y + 9, w * 0.3, Black);
    s.textBar(3 + w * 0.3, y + 9, w * 0.2, Purple);
}

void checkBox(Sketch& s, double x, double y, double d) {
    s.field(x, y, d, d);
    s.checkMark(x + 2, y + 2, d - 4, d - 4, Black);
}

void radioButton(Sketch& s, double x, double y, double d, bool chosen) {
    s.ellipse(x, y, d, d, White, Gray);
    if (chosen)
        s.ellipse(x + d * 0.3, y + d * 0.3, d * 0.4, d * 0.4, Black);
}

void radioGroup(Sketch& s, double w, double h, int count) {
    s.groupFrame(0, 2, w, h - 2);
    for (int i = 0; i < count; ++i) {
        const double y = 4 + 4 * i;
        radioButton(s, 2, y, 3.5, i == 1);
        s.textBar(7, y + 1.5, w - 10);
    }
}

void pageControl(Sketch& s, double w, double h) {
    // The chosen tab stands in front, joined to its page; the others sit lower, behind.
    s.tab(5.5, 2.5, 5, 3);
    s.tab(10.5, 2.5, w - 11, 3);
    s.fill(0, 5, w, h - 5, Silver);
    s.bevel(0, 5, w, h - 5, White, Black);
    s.tab(0, 1, 6, 5);
    s.textBar(1.5, 3, 3);
    s.field(2, 7.5, w - 4, h - 10);
}

void folder(Sketch& s, double x, double y, double w, double h) {
    s.polygon({{x, y},
               {x + w * 0.4, y},
               {x + w * 0.5, y + h * 0.18},
               {x + w, y + h * 0.18},
               {x + w, y + h},
               {x, y + h}},
              Yellow, Olive);
}

void speedButton(Sketch& s, double x, double y, double d) {
    s.button(x, y, d, d);
    folder(s, x + d * 0.18, y + d * 0.25, d * 0.64, d * 0.5);
}

void bitButton(Sketch& s, double y, double h) {
    s.button(0, y, 16, h);
    const double tick = std::min(6.0, h - 3);
    s.checkMark(2, y + (h - tick) / 2, tick, tick, Green);
    s.fill(9, y + h / 2 - 0.5, 5, 1, Black);
}

// Package components: a carton, with what the package holds shown at the top right.
void packageCarton(Sketch& s) {
    s.packageBox(0, 5, 11, 11);
}

// ---- Pages -------------------------------------------------------------------------------

void application(Sketch& s) {
    s.window(5, 0, 11, 10);
    s.window(0, 5, 11, 11);
    s.ellipse(3, 9, 5, 5, Yellow, Olive);
}

void form(Sketch& s) {
    s.window(0, 1, 16, 14);
    for (int y = 6; y <= 13; y += 2)
        for (int x = 2; x <= 13; x += 2)
            s.dot(x, y, Black);
    s.button(8, 10, 6, 4);
}

void mainMenu(Sketch& s) {
    s.raisedPanel(0, 1, 16, 4);
    s.fill(1, 2, 5, 2, Navy);
    s.textBar(2, 2.5, 3, White);
    s.textBar(8, 2.5, 3);
    s.textBar(12.5, 2.5, 2.5);
    s.raisedPanel(1, 5, 10, 11);
    s.bevel(1, 5, 10, 11, White, Black);
    s.textBar(3, 7, 6);
    s.textBar(3, 9, 5);
    s.hline(2, 11, 8, Gray);
    s.textBar(3, 13, 6);
}

void popupMenu(Sketch& s) {
    s.raisedPanel(4, 0, 12, 13);
    s.bevel(4, 0, 12, 13, White, Black);
    s.textBar(6, 2, 7);
    s.fill(5, 4, 10, 3, Navy);
    s.textBar(6, 5, 6, White);
    s.hline(5, 8.5, 10, Gray);
    s.textBar(6, 10, 5);
    // The pointer is white with an outline where there is room for both.
    s.polygon({{0, 6}, {0, 15}, {2.2, 13}, {3.7, 16}, {5.3, 15.3}, {3.8, 12.3}, {6.5, 12.3}},
              s.size() >= 24 ? White : Black, Black);
}

void label(Sketch& s) {
    s.letterA(3, 1, 10, 14, Navy);
}

void edit(Sketch& s) {
    editBox(s, 4);
}

void comboBoxPicture(Sketch& s) {
    comboBox(s, 4);
}

void listBoxPicture(Sketch& s) {
    listBox(s, 16, 16);
}

void radioGroupPicture(Sketch& s) {
    radioGroup(s, 16, 16, 3);
}

void pageControlPicture(Sketch& s) {
    pageControl(s, 16, 15);
}

void memo(Sketch& s) {
    s.field(0, 1, 16, 14);
    s.textLines(2, 3, 6, 12);
}

void richEdit(Sketch& s) {
    s.field(0, 1, 16, 14);
    richLines(s, 3, 12);
}

void image(Sketch& s) {
    s.picture(0, 1, 16, 14);
}

void focusImage(Sketch& s) {
    s.picture(2, 3, 12, 10);
    s.dotted(0, 1, 16, 14, Black);
}

void checkBoxPicture(Sketch& s) {
    checkBox(s, 0, 3, 10);
    s.textBar(12, 7.5, 4);
}

void radioButtonPicture(Sketch& s) {
    radioButton(s, 0, 3, 10, true);
    s.textBar(12, 7.5, 4);
}

void groupBox(Sketch& s) {
    s.groupFrame(0, 3, 16, 12);
}

void panel(Sketch& s) {
    s.fill(0, 3, 16, 10, Silver);
    s.bevel(0, 3, 16, 10, White, Black);
    s.bevel(1.5, 4.5, 13, 7, Gray, White);
    s.textBar(5, 7.5, 6);
}

void scrollBox(Sketch& s) {
    s.box(0, 0, 16, 16, White, Black);
    s.ellipse(2, 2, 11, 11, Yellow, Olive);
    s.scrollBar(12, 1, 3, 11, 0.3);
    s.hScrollBar(1, 12, 11, 3, 0.3);
    s.fill(12, 12, 3, 3, Silver);
}

void bitBtn(Sketch& s) {
    bitButton(s, 2, 12);
}

void speedButtonPicture(Sketch& s) {
    speedButton(s, 1, 1, 14);
}

void pkgImage(Sketch& s) {
    s.picture(0, 0, 13, 12);
    s.packageBox(8, 8, 8, 8);
}

void shape(Sketch& s) {
    s.ellipse(1, 0, 9, 9, Yellow, Black);
    s.box(7, 6, 9, 10, Blue, Black);
    s.polygon({{0, 16}, {3, 10}, {6, 16}}, Red, Black);
}

void upDown(Sketch& s) {
    s.button(4, 0, 8, 8);
    s.arrow(8, 4, 5, Qt::UpArrow);
    s.button(4, 8, 8, 8);
    s.arrow(8, 12, 5, Qt::DownArrow);
}

void upDownEx(Sketch& s) {
    s.field(0, 3, 10, 10);
    s.fill(2, 7, 5, 2, Black);
    s.button(10, 3, 6, 5);
    s.arrow(13, 5.5, 3, Qt::UpArrow);
    s.button(10, 8, 6, 5);
    s.arrow(13, 10.5, 3, Qt::DownArrow);
}

void pkgImages(Sketch& s) {
    packageCarton(s);
    s.picture(8, 0, 8, 7);
}

void pkgStrings(Sketch& s) {
    packageCarton(s);
    s.box(8, 0, 8, 8, White, Black);
    s.letterA(9.5, 1.5, 5, 5, Navy);
}

void pkgVars(Sketch& s) {
    packageCarton(s);
    s.grid(8, 0, 8, 8, 2, 3);
}

void memoBar(Sketch& s) {
    s.toolBar(0, 0, 16, 5, {Navy, Teal, Gray});
    s.field(0, 5, 16, 11);
    s.textLines(2, 7, 4, 12);
}

void richEditBar(Sketch& s) {
    s.toolBar(0, 0, 16, 5, {Red, Lime, Blue});
    s.field(0, 5, 16, 11);
    s.fill(2, 7, 5, 2, Black);
    s.textBar(2, 10, 4, Red);
    s.textBar(7, 10, 5, Blue);
    s.textBar(2, 12, 9, Green);
}

void imageBar(Sketch& s) {
    s.raisedPanel(0, 3, 16, 10);
    s.bevel(0, 3, 16, 10, White, Black);
    for (int i = 0; i < 3; ++i)
        s.picture(1 + 5 * i, 5, 4, 6);
}

void statusBar(Sketch& s) {
    s.window(0, 0, 16, 16);
    s.fill(2, 4, 12, 6, White);
    s.bevel(2, 12, 7, 3, Gray, White);
    s.bevel(10, 12, 4, 3, Gray, White);
    s.textBar(3, 13, 4);
}

void splitter(Sketch& s) {
    s.field(0, 1, 6, 14);
    s.field(10, 1, 6, 14);
    s.raisedPanel(6, 1, 4, 14);
    s.vline(8, 2, 12, Gray);
    s.arrow(3, 8, 4, Qt::LeftArrow);
    s.arrow(13, 8, 4, Qt::RightArrow);
}

void progressBar(Sketch& s) {
    s.field(0, 5, 16, 6);
    for (int i = 0; i < 3; ++i)
        s.shade(2 + 3 * i, 7, 2, 2, Blue);
}

void timer(Sketch& s) {
    s.fill(6.5, 0, 3, 2, Black);
    s.line({12, 2}, {13, 3}, Black, 1);
    s.clock(1, 2, 14);
}

void threadTimer(Sketch& s) {
    s.clock(0, 4, 12);
    s.polyline({{9, 2.5}, {11, 0.5}, {13, 2.5}, {15, 0.5}}, Red, 1);
    s.polyline({{11, 5.5}, {13, 3.5}, {15, 5.5}}, Blue, 1);
}

void imageForm(Sketch& s) {
    s.window(0, 1, 16, 14);
    s.picture(2, 5, 12, 8);
}

void moveForm(Sketch& s) {
    s.window(0, 1, 16, 14);
    s.line({8, 6}, {8, 12}, Black, 1);
    s.line({4, 9}, {12, 9}, Black, 1);
    s.arrow(8.5, 5.5, 3, Qt::UpArrow);
    s.arrow(8.5, 13.5, 3, Qt::DownArrow);
    s.arrow(3.5, 9.5, 3, Qt::LeftArrow);
    s.arrow(13.5, 9.5, 3, Qt::RightArrow);
}

void panelMenu(Sketch& s) {
    s.raisedPanel(1, 0, 14, 16);
    s.bevel(1, 0, 14, 16, White, Black);
    for (int i = 0; i < 3; ++i) {
        const double y = 1 + 5 * i;
        if (i == 1) {
            s.fill(2, y, 12, 4, Navy);
            s.textBar(3, y + 1.5, 6, White);
            s.arrow(12.5, y + 2, 3, Qt::RightArrow, White);
        } else {
            s.button(2, y, 12, 4);
            s.textBar(3, y + 1.5, 6);
            s.arrow(12.5, y + 2, 3, Qt::RightArrow);
        }
    }
}

void outLookBar(Sketch& s) {
    s.fill(1, 0, 14, 16, Gray);
    s.button(1, 0, 14, 3);
    s.textBar(4, 1, 8);
    s.box(5.5, 4, 5, 5, Yellow, Black);
    s.textBar(4.5, 10, 7, White);
    s.button(1, 13, 14, 3);
    s.textBar(4, 14, 8);
}

void pkgPrivileges(Sketch& s) {
    packageCarton(s);
    s.key(6, 0, 10, 5);
}

void lbPrivileges(Sketch& s) {
    s.field(0, 0, 16, 16);
    for (int i = 0; i < 3; ++i) {
        const double y = 1.5 + 3 * i;
        s.box(2, y, 2, 2, i == 1 ? Red : Lime, Black);
        s.textBar(5, y + 0.5, 8);
    }
    s.key(4, 10, 11, 5);
}

void setsGroup(Sketch& s) {
    s.groupFrame(0, 2, 16, 13);
    s.swatch(2, 5, 5, 4, Red);
    s.swatch(9, 5, 5, 4, Blue);
    s.gradientSwatch(2, 10, 5, 4, Navy, Aqua);
    s.smallF(10, 10, Black);
}

void ruler(Sketch& s) {
    s.box(0, 5, 16, 7, Yellow, Black);
    for (int x = 2; x < 16; x += 2)
        s.vline(x, 5, x % 4 == 0 ? 3.5 : 2, Black);
}

void cBuffer(Sketch& s) {
    s.shade(2, 1, 12, 15, Olive);
    s.frame(2, 1, 12, 15, Black);
    s.box(4, 3, 8, 11, White, Black);
    s.textBar(5.5, 6, 5);
    s.textBar(5.5, 8, 4);
    s.textBar(5.5, 10, 5);
    s.box(5, 0, 6, 3, Silver, Black);
}

void fontComboBox(Sketch& s) {
    s.field(0, 3, 16, 10);
    s.letterF(2, 5, 4, 6, Black);
    s.textBar(7, 8, 2);
    s.comboButton(10, 4, 5, 8);
}

void fontListBox(Sketch& s) {
    s.field(0, 0, 16, 16);
    for (int i = 0; i < 3; ++i) {
        const double y = 1.5 + 4.5 * i;
        const bool chosen = i == 0;
        if (chosen)
            s.fill(1, y - 0.5, 14, 5, Navy);
        s.smallF(2, y, chosen ? White : Black);
        s.textBar(6, y + 1.5, 7, chosen ? White : Black);
    }
}

void extScrollBar(Sketch& s) {
    s.hScrollBar(0, 5.5, 16, 5, 0.5);
}

void cFrame(Sketch& s) {
    s.frame(0, 1, 16, 14, Gray);
    s.frame(1, 2, 14, 12, White);
    s.field(2.5, 3.5, 11, 4.5);
    s.button(6.5, 9.5, 7, 4);
}

// ---- Data controls -----------------------------------------------------------------------

void dbLabel(Sketch& s) {
    s.letterA(0, 1, 10, 13, Navy);
    s.dataMark();
}

void dbEdit(Sketch& s) {
    editBox(s, 0);
    s.dataMark();
}

void dbComboBox(Sketch& s) {
    comboBox(s, 0);
    s.dataMark();
}

void dbListBox(Sketch& s) {
    listBox(s, 13, 16);
    s.dataMark();
}

void dbMemo(Sketch& s) {
    s.field(0, 0, 14, 16);
    s.textLines(2, 2, 7, 10);
    s.dataMark();
}

void dbRichEdit(Sketch& s) {
    s.field(0, 0, 14, 16);
    richLines(s, 2, 10);
    s.dataMark();
}

void dbImage(Sketch& s) {
    s.picture(0, 0, 14, 13);
    s.dataMark();
}

void dbFocusImage(Sketch& s) {
    s.picture(2, 2, 10, 9);
    s.dotted(0, 0, 14, 13, Black);
    s.dataMark();
}

void dbCheckBox(Sketch& s) {
    checkBox(s, 0, 0, 9);
    s.textBar(10.5, 4, 5);
    s.dataMark();
}

void dbRadioGroup(Sketch& s) {
    radioGroup(s, 14, 16, 2);
    s.dataMark();
}

void dbPageControl(Sketch& s) {
    pageControl(s, 14, 15);
    s.dataMark();
}

void dbNavigator(Sketch& s) {
    s.navigatorBar();
    s.vline(1, 1.5, 4, Black);
    s.arrow(2.8, 3.5, 3, Qt::LeftArrow);
    s.arrow(6, 3.5, 3, Qt::LeftArrow);
    s.arrow(10, 3.5, 3, Qt::RightArrow);
    s.arrow(13.2, 3.5, 3, Qt::RightArrow);
    s.vline(14, 1.5, 4, Black);
    s.dataMark();
}

void dbBitBtn(Sketch& s) {
    bitButton(s, 0, 8);
    s.dataMark();
}

void dbSpeedButton(Sketch& s) {
    speedButton(s, 0, 0, 11);
    s.dataMark();
}

void dbPkgImage(Sketch& s) {
    s.picture(0, 0, 12, 9);
    s.packageBox(0, 9, 7, 7);
    s.dataMark();
}

} // namespace

void AddControlPictures(PaletteDrawingMap& drawings) {
    const std::pair<const char*, PaletteDrawing> pictures[] = {
        {"TQZCAPPLICATION", application},
        {"TQZCFORM", form},
        {"TQZMAINMENU", mainMenu},
        {"TQZPOPUPMENU", popupMenu},
        {"TQZLABEL", label},
        {"TQZEDIT", edit},
        {"TQZCOMBOBOX", comboBoxPicture},
        {"TQZLISTBOX", listBoxPicture},
        {"TQZMEMO", memo},
        {"TQZRICHEDIT", richEdit},
        {"TQZIMAGE", image},
        {"TQZFOCUSIMAGE", focusImage},
        {"TQZCHECKBOX", checkBoxPicture},
        {"TQZRADIOBUTTON", radioButtonPicture},
        {"TQZGROUPBOX", groupBox},
        {"TQZRADIOGROUP", radioGroupPicture},
        {"TQZPANEL", panel},
        {"TQZSCROLLBOX", scrollBox},
        {"TQZPAGECONTROL", pageControlPicture},
        {"TQZBITBTN", bitBtn},
        {"TQZSPEEDBUTTON", speedButtonPicture},
        {"TQZPKGIMAGE", pkgImage},
        {"TQZSHAPE", shape},
        {"TQZUPDOWN", upDown},
        {"TQZUPDOWNEX", upDownEx},
        {"TQZPKGIMAGES", pkgImages},
        {"TQZPKGSTRINGS", pkgStrings},
        {"TQZPKGVARS", pkgVars},
        {"TQZMEMOBAR", memoBar},
        {"TQZRICHEDITBAR", richEditBar},
        {"TQZIMAGEBAR", imageBar},
        {"TQZSTATUSBAR", statusBar},
        {"TQZSPLITTER", splitter},
        {"TQZPROGRESSBAR", progressBar},
        {"TQZTIMER", timer},
        {"TQZTHREADTIMER", threadTimer},
        {"TQZIMAGEFORM", imageForm},
        {"TQZMOVEFORM", moveForm},
        {"TQZPANELMENU", panelMenu},
        {"TQZOUTLOOKBAR", outLookBar},
        {"TQZPKGPRIVILEGES", pkgPrivileges},
        {"TQZLBPRIVILEGES", lbPrivileges},
        {"TQZSETSGROUP", setsGroup},
        {"TQZRULER", ruler},
        {"TQZCBUFFER", cBuffer},
        {"TQZFONTCOMBOBOX", fontComboBox},
        {"TQZFONTLISTBOX", fontListBox},
        {"TQZEXTSCROLLBAR", extScrollBar},
        {"TQZCFRAME", cFrame},
        {"TQZDBLABEL", dbLabel},
        {"TQZDBEDIT", dbEdit},
        {"TQZDBCOMBOBOX", dbComboBox},
        {"TQZDBLISTBOX", dbListBox},
        {"TQZDBMEMO", dbMemo},
        {"TQZDBRICHEDIT", dbRichEdit},
        {"TQZDBIMAGE", dbImage},
        {"TQZDBFOCUSIMAGE", dbFocusImage},
        {"TQZDBCHECKBOX", dbCheckBox},
        {"TQZDBRADIOGROUP", dbRadioGroup},
        {"TQZDBPAGECONTROL", dbPageControl},
        {"TQZDBNAVIGATOR", dbNavigator},
        {"TQZDBBITBTN", dbBitBtn},
        {"TQZDBSPEEDBUTTON", dbSpeedButton},
        {"TQZDBPKGIMAGE", dbPkgImage},
    };
    for (const auto& [name, drawing] : pictures)
        drawings.emplace(name, drawing);
}

const PaletteDrawingMap& PaletteDrawings() {
    static const PaletteDrawingMap drawings = [] {
        PaletteDrawingMap all;
        AddControlPictures(all);
        AddEditorAndInertPictures(all);
        return all;
    }();
    return drawings;
}
