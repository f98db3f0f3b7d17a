#include "PalettePictures.h"

#include "PaletteSketch.h"

// The editors page and the library classes that have pictures but no palette entry.

namespace {

using namespace Ink;

// ---- Pieces several pictures share -------------------------------------------------------

// A list box whose rows each start with a small picture, swatch or letter.
template <typename Item>
void itemList(Sketch& s, Item item) {
    s.field(0, 0, 16, 16);
    for (int i = 0; i < 3; ++i) {
        const double y = 1.5 + 4.5 * i;
        item(i, y);
        s.textBar(8, y + 1.5, 6);
    }
}

// A combo box showing one such item.
template <typename Item>
void itemCombo(Sketch& s, Item item) {
    s.field(0, 3, 16, 10);
    item(5.0);
    s.textBar(8, 7.5, 1.5);
    s.comboButton(10, 4, 5, 8);
}

void colourPair(Sketch& s, double x, double y, QRgb back, QRgb text) {
    s.swatch(x, y, 5, 4, back);
    s.fill(x + 1, y + 1.5, 3, 1, text);
}

// ---- Editors -----------------------------------------------------------------------------

void lbSetsColor(Sketch& s) {
    const QRgb backs[] = {Navy, Yellow, White};
    const QRgb texts[] = {Yellow, Red, Blue};
    itemList(s, [&](int i, double y) { colourPair(s, 2, y, backs[i], texts[i]); });
}

void cbSetsColor(Sketch& s) {
    itemCombo(s, [&](double y) { colourPair(s, 2, y + 0.5, Navy, Yellow); });
}

void lbSetsBackGround(Sketch& s) {
    const QRgb froms[] = {Blue, Red, Green};
    const QRgb tos[] = {White, Yellow, Lime};
    itemList(s, [&](int i, double y) { s.gradientSwatch(2, y, 5, 4, froms[i], tos[i]); });
}

void cbSetsBackGround(Sketch& s) {
    itemCombo(s, [&](double y) { s.gradientSwatch(2, y + 0.5, 5, 5, Blue, White); });
}

void lbSetsFont(Sketch& s) {
    const QRgb inks[] = {Red, Navy, Green};
    itemList(s, [&](int i, double y) {
        s.fill(2, y, 5, 4, Silver);
        s.smallF(3, y, inks[i]);
    });
}

void cbSetsFont(Sketch& s) {
    itemCombo(s, [&](double y) {
        s.box(2, y, 5, 6, Silver, Gray);
        s.smallF(3, y + 1, Red);
    });
}

void lbPkgImages(Sketch& s) {
    itemList(s, [&](int, double y) { s.picture(2, y, 5, 4); });
}

void cbPkgImages(Sketch& s) {
    itemCombo(s, [&](double y) { s.picture(2, y, 5, 6); });
}

void lbColors(Sketch& s) {
    const QRgb colours[] = {Red, Lime, Blue};
    itemList(s, [&](int i, double y) { s.swatch(2, y, 4, 4, colours[i]); });
}

void cbColors(Sketch& s) {
    itemCombo(s, [&](double y) { s.swatch(2, y, 5, 6, Red); });
}

void cbPrinters(Sketch& s) {
    s.printer(2, 0, 12, 9);
    s.field(0, 9, 16, 7);
    s.textBar(2, 12, 7);
    s.comboButton(10, 10, 5, 5);
}

void pkgImagesAdd(Sketch& s) {
    s.picture(0, 0, 13, 13);
    s.plus(8, 8, 8, 8, Black);
    s.plus(9, 9, 6, 6, Lime);
}

void pkgImagesDesignRgn(Sketch& s) {
    s.picture(0, 0, 16, 16);
    s.polyline({{3, 4}, {9, 2}, {13, 6}, {11, 12}, {5, 13}, {3, 4}}, Red, 1);
    for (const QPointF p :
         {QPointF(3, 4), QPointF(9, 2), QPointF(13, 6), QPointF(11, 12), QPointF(5, 13)})
        s.box(p.x() - 0.5, p.y() - 0.5, 2, 2, White, Black);
}

// ---- Library classes that are not on the palette -----------------------------------------

void animate(Sketch& s) {
    s.fill(2, 0, 12, 16, Black);
    for (int y = 1; y < 16; y += 3) {
        s.fill(3, y, 1, 1.5, White);
        s.fill(12, y, 1, 1.5, White);
    }
    s.fill(5, 1, 6, 6, Aqua);
    s.ellipse(5.5, 3, 3, 3, Red);
    s.fill(5, 9, 6, 6, Aqua);
    s.ellipse(7.5, 10, 3, 3, Red);
}

void chart(Sketch& s) {
    s.box(3, 8, 3, 7, Red, Black);
    s.box(7, 3, 3, 12, Blue, Black);
    s.box(11, 10, 3, 5, Lime, Black);
    s.vline(1, 0, 16, Black);
    s.hline(1, 15, 15, Black);
}

void checkListBox(Sketch& s) {
    s.field(0, 0, 16, 16);
    for (int i = 0; i < 3; ++i) {
        const double y = 2 + 4.5 * i;
        s.box(2, y, 4, 4, White, Black);
        if (i != 1)
            s.checkMark(2.5, y + 0.5, 3, 3, Black);
        s.textBar(8, y + 1.5, 6);
    }
}

void compiler(Sketch& s) {
    s.page(0, 0, 11, 14);
    s.textBar(2, 3, 4, Navy);
    s.textBar(4, 5, 4);
    s.textBar(4, 7, 3);
    s.textBar(2, 9, 3, Navy);
    s.gear(11.5, 11.5, 4.5);
}

void dbButtonCommit(Sketch& s) {
    s.cylinder(0, 2, 9, 13);
    s.checkMark(7, 5, 9, 9, Green);
}

void dbButtonRollback(Sketch& s) {
    s.cylinder(0, 2, 9, 13);
    s.arc(7, 3, 9, 10, 90, -180, Red, 1.5);
    s.arrow(10.5, 12.5, 5, Qt::LeftArrow, Red);
}

void dbCursor(Sketch& s) {
    s.grid(0, 0, 16, 14, 3, 4);
    s.fill(1, 7.5, 14, 3, Navy);
    s.arrow(2.5, 9, 3, Qt::RightArrow, White);
}

void dbDatabase(Sketch& s) {
    s.cylinder(2, 0, 12, 16);
}

void dbDataSource(Sketch& s) {
    s.cylinder(0, 2, 8, 12);
    s.line({8, 8}, {11, 8}, Black, 1);
    s.arrow(12.5, 8.5, 5, Qt::RightArrow);
}

void dbLabelStatus(Sketch& s) {
    s.raisedPanel(0, 1, 16, 6);
    s.bevel(0, 1, 16, 6, Gray, White);
    s.ellipse(1.5, 2, 4, 4, Lime, Green);
    s.textBar(7, 3.5, 7);
    s.dataMark();
}

void dbNvEdition(Sketch& s) {
    s.navigatorBar();
    s.plus(1, 2, 2, 3, Green);
    s.fill(5, 3, 2, 1, Red);
    s.checkMark(9, 1.5, 3, 4, Green);
    s.cross(13, 2, 2, 3, Red);
    s.dataMark();
}

void dbNvFilter(Sketch& s) {
    s.polygon({{0, 1}, {12, 1}, {7.5, 7}, {7.5, 14}, {4.5, 16}, {4.5, 7}}, Yellow, Black);
    s.dataMark();
}

void dbNvUpDown(Sketch& s) {
    s.button(0, 0, 8, 7);
    s.arrow(4, 3.5, 4, Qt::UpArrow);
    s.button(0, 7, 8, 7);
    s.arrow(4, 10.5, 4, Qt::DownArrow);
    s.dataMark();
}

void dbSql(Sketch& s) {
    s.page(0, 0, 12, 15);
    s.textBar(2, 3, 6, Blue);
    s.textBar(2, 5, 4);
    s.textBar(2, 7, 6, Blue);
    s.textBar(2, 9, 5);
    s.dataMark();
}

void dbStoredProc(Sketch& s) {
    s.cylinder(0, 4, 10, 12);
    s.gear(11, 5, 5);
}

void dbTransaction(Sketch& s) {
    s.cylinder(0, 7, 7, 9);
    s.cylinder(9, 7, 7, 9);
    s.line({1, 1}, {12, 1}, Black, 1);
    s.arrow(13.5, 1.5, 4, Qt::RightArrow);
    s.line({3, 4}, {14, 4}, Black, 1);
    s.arrow(2.5, 4.5, 4, Qt::LeftArrow);
}

void dbVMem(Sketch& s) {
    for (int x = 2; x <= 10; x += 2) {
        s.fill(x, 1, 1, 1, Gray);
        s.fill(x, 10, 1, 1, Gray);
    }
    s.box(1, 2, 11, 8, Black, Black);
    s.dot(2.5, 3.5, White);
    s.dataMark();
}

void dbVQuery(Sketch& s) {
    s.grid(0, 0, 13, 12, 3, 4);
    // A magnifying glass over the table.
    s.line({11.5, 11.5}, {14.5, 14.5}, Black, 2);
    s.ellipse(6, 6, 7, 7, White, Black);
    s.ellipse(7, 7, 5, 5, Aqua);
}

void dbVTable(Sketch& s) {
    s.grid(0, 0, 16, 12, 3, 4);
    s.dataMark();
}

void inc(Sketch& s) {
    s.plus(0, 4, 8, 8, Green);
    s.line({12, 2}, {12, 14}, Black, 2);
    s.line({10, 4}, {12, 2}, Black, 2);
    s.line({10, 14}, {14, 14}, Black, 2);
}

void label3D(Sketch& s) {
    s.letterA(4, 2, 10, 13, Gray);
    s.letterA(2, 0, 10, 13, Red);
}

void labelInsertMode(Sketch& s) {
    s.field(0, 4, 16, 8);
    s.fill(2, 7, 6, 2, Black);
    s.fill(9, 6, 3, 4, Navy);
}

void led(Sketch& s) {
    s.fill(5.5, 11, 1, 5, Gray);
    s.fill(9.5, 11, 1, 4, Gray);
    s.fill(3, 9, 10, 2, Maroon);
    s.ellipse(3, 0, 10, 10, Red, Maroon);
    s.ellipse(5, 2, 3, 3, White);
}

void listMenu(Sketch& s) {
    s.raisedPanel(0, 0, 16, 16);
    s.bevel(0, 0, 16, 16, White, Black);
    for (int i = 0; i < 4; ++i) {
        const double y = 1 + 3.5 * i;
        const bool chosen = i == 2;
        if (chosen)
            s.fill(1, y, 14, 3, Navy);
        s.textBar(2, y + 1, 8, chosen ? White : Black);
        s.arrow(13, y + 1.5, 2.5, Qt::RightArrow, chosen ? White : Black);
    }
}

void memoStatusLines(Sketch& s) {
    s.field(0, 0, 16, 12);
    s.textLines(2, 2, 4, 12);
    s.raisedPanel(0, 12, 16, 4);
    s.bevel(1, 12.5, 6, 3, Gray, White);
    s.textBar(2, 13.5, 3);
    s.bevel(8, 12.5, 7, 3, Gray, White);
}

void process(Sketch& s) {
    s.gear(7, 7, 6.5);
    s.polygon({{9, 8}, {9, 16}, {15.5, 12}}, Lime, Green);
}

void seqPages(Sketch& s) {
    s.page(0, 0, 9, 11);
    s.page(3, 2.5, 9, 11);
    s.page(6, 5, 9, 11);
    s.textBar(8, 9, 5);
    s.textBar(8, 11, 4);
}

void visualMenu(Sketch& s) {
    s.raisedPanel(0, 0, 16, 16);
    s.bevel(0, 0, 16, 16, White, Black);
    s.fill(1, 1, 4, 14, Gray);
    const QRgb icons[] = {Red, Lime, Blue, Yellow};
    for (int i = 0; i < 4; ++i) {
        const double y = 1.5 + 3.5 * i;
        if (i == 1)
            s.fill(5, y - 0.5, 10, 3, Navy);
        s.box(1.5, y, 3, 2.5, icons[i], Black);
        s.textBar(6, y + 1, 7, i == 1 ? White : Black);
    }
}

} // namespace

void AddEditorAndInertPictures(PaletteDrawingMap& drawings) {
    const std::pair<const char*, PaletteDrawing> pictures[] = {
        {"TQZLBSETSCOLOR", lbSetsColor},
        {"TQZCBSETSCOLOR", cbSetsColor},
        {"TQZLBSETSBACKGROUND", lbSetsBackGround},
        {"TQZCBSETSBACKGROUND", cbSetsBackGround},
        {"TQZLBSETSFONT", lbSetsFont},
        {"TQZCBSETSFONT", cbSetsFont},
        {"TQZLBPKGIMAGES", lbPkgImages},
        {"TQZCBPKGIMAGES", cbPkgImages},
        {"TQZLBCOLORS", lbColors},
        {"TQZCBCOLORS", cbColors},
        {"TQZCBPRINTERS", cbPrinters},
        {"TQZPKGIMAGESADD", pkgImagesAdd},
        {"TQZPKGIMAGESDESIGNRGN", pkgImagesDesignRgn},
        {"TQZANIMATE", animate},
        {"TQZCHART", chart},
        {"TQZCHECKLISTBOX", checkListBox},
        {"TQZCOMPILER", compiler},
        {"TQZDBBUTTONCOMMIT", dbButtonCommit},
        {"TQZDBBUTTONROLLBACK", dbButtonRollback},
        {"TQZDBCURSOR", dbCursor},
        {"TQZDBDATABASE", dbDatabase},
        {"TQZDBDATASOURCE", dbDataSource},
        {"TQZDBLABELSTATUS", dbLabelStatus},
        {"TQZDBNVEDITION", dbNvEdition},
        {"TQZDBNVFILTER", dbNvFilter},
        {"TQZDBNVUPDOWN", dbNvUpDown},
        {"TQZDBSQL", dbSql},
        {"TQZDBSTOREDPROC", dbStoredProc},
        {"TQZDBTRANSACTION", dbTransaction},
        {"TQZDBVMEM", dbVMem},
        {"TQZDBVQUERY", dbVQuery},
        {"TQZDBVTABLE", dbVTable},
        {"TQZINC", inc},
        {"TQZLABEL3D", label3D},
        {"TQZLABELINSERTMODE", labelInsertMode},
        {"TQZLED", led},
        {"TQZLISTMENU", listMenu},
        {"TQZMEMOSTATUSLINES", memoStatusLines},
        {"TQZPROCESS", process},
        {"TQZSEQPAGES", seqPages},
        {"TQZVISUALMENU", visualMenu},
    };
    for (const auto& [name, drawing] : pictures)
        drawings.emplace(name, drawing);
}
