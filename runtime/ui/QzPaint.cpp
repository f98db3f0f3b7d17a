#include "QzPaint.h"

#include "Controls.h"
#include "QzCApplication.h"
#include "QzColors.h"
#include "QzContainers.h"
#include "QzDraw.h"
#include "QzMenus.h"
#include "QzNonVisual.h"
#include "QzPaintStyle.h"

#include <QMetaProperty>
#include <cmath>

namespace {

const TQzPkgDisplay* displayOf(const TQzPaintContext& context) {
    if (context.Display)
        return context.Display;
    const TQzCApplication* app = QzCApp();
    return app ? app->PkgDisplay() : nullptr;
}

template <typename TRef>
TRef* refProperty(const QObject& object, const char* name) {
    const QMetaObject* meta = object.metaObject();
    const int index = meta->indexOfProperty(name);
    return index < 0 ? nullptr
                     : qobject_cast<TRef*>(meta->property(index).read(&object).value<QObject*>());
}

QFont qfontOf(const TFont& font) {
    QFont q(font.Name());
    q.setPixelSize(std::max(1, std::abs(font.Height())));
    q.setBold(font.Style().testFlag(TFont::fsBold));
    q.setItalic(font.Style().testFlag(TFont::fsItalic));
    q.setUnderline(font.Style().testFlag(TFont::fsUnderline));
    q.setStrikeOut(font.Style().testFlag(TFont::fsStrikeOut));
    return q;
}

// The library's form component on a form, whose caption and background the form shows.
const TQzCCustomForm* formComponentOf(const TComponent& root) {
    for (TComponent* c : root.ComponentList())
        if (auto* form = qobject_cast<const TQzCCustomForm*>(c))
            return form;
    return nullptr;
}

const TQzPkgDisplaySetBackGround* backGroundOf(const TQzSetBackGround* ref,
                                               const TQzPaintContext& context) {
    const TQzPkgDisplay* display = displayOf(context);
    if (!ref || !display)
        return nullptr;
    const QString name = ref->SetNameResolved();
    return name.isEmpty() ? nullptr : display->SetsBackGround()->Find(name);
}

void paintBackGround(QPainter& painter, const QRect& rect, const TQzPkgDisplaySetBackGround& set) {
    QzDrawGradient(painter, rect, set.Style(), set.StartGraColor(), set.EndGraColor(),
                   set.SolidColor(), set.Image(), set.Transparent());
}

TQzLook lookOf(const TControl& control, const TQzPaintContext& context) {
    TQzLook look;
    if (const auto* font = refProperty<TFont>(control, "Font")) {
        look.Font = qfontOf(*font);
        look.Text = QzPaintColor(font->Color());
    } else {
        look.Text = QzPaintColor(clWindowText);
    }
    const QVariant color = control.property("Color");
    look.Face = color.isValid() ? QzPaintColor(color.toInt()) : QzPaintColor(clBtnFace);
    const TQzPkgDisplay* display = displayOf(context);
    if (!display)
        return look;
    if (const auto* ref = refProperty<TQzSetFont>(control, "SetFont"))
        if (const QString name = ref->SetNameResolved(); !name.isEmpty())
            if (const TQzPkgDisplaySetFont* set = display->SetsFont()->Find(name)) {
                QFont font = set->GetQFont();
                font.setPixelSize(std::max(1, int(std::lround(set->Size() * 96.0 / 72))));
                look.Font = font;
                look.Text = QzPaintColor(set->Font()->Color());
            }
    if (const auto* ref = refProperty<TQzSetColor>(control, "SetColor"))
        if (const QString name = ref->SetNameResolved(); !name.isEmpty())
            if (const TQzPkgDisplaySetColor* set = display->SetsColor()->Find(name))
                look.Face = QzPaintColor(set->Color());
    look.BackGround =
        backGroundOf(refProperty<TQzSetBackGround>(control, "SetBackGround"), context);
    return look;
}

// The tabs a page control shows, with where each is drawn.
struct TTabPlace {
    int Index;
    QRect Rect;
};

QList<TTabPlace> tabPlaces(const TQzCustomPageControl& pages, const QRect& rect,
                           const QFont& font) {
    const QFontMetrics fm(font);
    const int height = pages.FTabHeight > 0 ? pages.FTabHeight : std::max(22, fm.height() + 8);
    QList<TTabPlace> places;
    int x = rect.left() + 2;
    for (int i = 0; i < pages.Tabs()->Count(); ++i) {
        const TQzTabControl* tab = pages.GetTab(i);
        if (!tab->FTabVisible)
            continue;
        const QString text = tab->Caption()->Text();
        const int imageSpace = tab->Image()->ItemId() >= 0 ? 20 : 0;
        const int width = std::max(40, fm.horizontalAdvance(text) + imageSpace + 16);
        places.push_back({i, QRect(x, rect.top() + 2, width, height - 2)});
        x += width;
    }
    return places;
}

int outLookButtonHeight(const TQzOutLookBar& bar, const QFont& font) {
    return std::max(QFontMetrics(font).height() + 6, bar.FButtonHeight);
}

QRect outLookButton(const TQzOutLookBar& bar, const QRect& rect, qsizetype index, int height) {
    const QList<TQzOutLookBarPage*> pages = bar.Pages();
    const qsizetype active = pages.indexOf(QzShownOutLookPage(bar));
    // Buttons up to the shown page stack at the top, the rest at the bottom.
    const int top = index <= active ? rect.top() + int(index) * height
                                    : rect.bottom() + 1 - int(pages.size() - index) * height;
    return {rect.left(), top, rect.width(), height};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Shared parts

QString QzCaptionOf(const QObject* object) {
    if (!object)
        return {};
    if (const auto* item = qobject_cast<const TQzMenuItem*>(object))
        return item->Text();
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty("Caption");
    if (index < 0)
        return {};
    const QVariant value = meta->property(index).read(object);
    if (value.metaType() == QMetaType::fromType<QString>())
        return value.toString();
    if (auto* label = qobject_cast<TQzMemoryLabel*>(value.value<QObject*>()))
        return label->Text();
    return {};
}

QColor QzPaintColor(int color) {
    if (color == clNone)
        return Qt::transparent;
    return QzColorToQColor(color);
}

void QzPaintBevel(QPainter& painter, const QRect& rect, TQzBevel bevel, int width) {
    if (bevel == TQzBevel::None || rect.isEmpty())
        return;
    const QColor light = QzSystemColor(20);
    const QColor shadow = QzSystemColor(16);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QRect r = rect.adjusted(0, 0, -1, -1);
    if (bevel == TQzBevel::Etched) {
        painter.setPen(shadow);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.setPen(light);
        painter.drawRect(r.adjusted(1, 1, 0, 0));
        painter.restore();
        return;
    }
    const QColor topLeft = bevel == TQzBevel::Raised ? light : shadow;
    const QColor bottomRight = bevel == TQzBevel::Raised ? shadow : light;
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
    painter.restore();
}

TQzPainting::TQzPainting(QPainter& painter, const QRect& rect, const TControl& control,
                         const TQzPaintContext& context)
    : Painter(painter), Rect(rect), Control(control), Context(context),
      Look(lookOf(control, context)) {}

void TQzPainting::face(const QRect& rect) {
    if (Look.BackGround)
        paintBackGround(Painter, rect, *Look.BackGround);
    else if (Look.Face.alpha() > 0)
        Painter.fillRect(rect, Look.Face);
}

void TQzPainting::text(const QRect& rect, const QString& text, int flags, const QColor& color) {
    if (text.isEmpty() || rect.isEmpty())
        return;
    Shown = true;
    const QFontMetrics fm(Look.Font);
    Painter.save();
    Painter.setFont(Look.Font);
    Painter.setPen(color);
    QString shown = text;
    bool cut = false;
    if (flags & Qt::TextWordWrap) {
        cut = fm.boundingRect(rect, flags, text).height() > rect.height();
    } else {
        QStringList lines = text.split(u'\n');
        for (QString& line : lines) {
            const QString elided = fm.elidedText(line, Qt::ElideRight, rect.width());
            cut = cut || elided != line;
            line = elided;
        }
        // Descenders may touch the edge; a line whose letters do not fit is cut.
        cut = cut || (int(lines.size()) - 1) * fm.lineSpacing() + fm.ascent() > rect.height() + 1;
        shown = lines.join(u'\n');
    }
    Painter.setClipRect(rect, Qt::IntersectClip);
    Painter.drawText(rect, flags, shown);
    Painter.restore();
    if (cut && Context.Overflows)
        Context.Overflows->push_back({&Control, text});
}

bool TQzPainting::image(const QRect& rect, const TQzMemoryImage* image, bool stretch) {
    if (!image || image->ItemId() < 0)
        return false;
    const TQzPkgImages* pkg = QzFindPkgImages(image->ItemPkgName());
    const TQzPkgImagesImage* item = pkg ? pkg->Images()->FindId(image->ItemId()) : nullptr;
    if (!item || item->Empty())
        return false;
    if (stretch) {
        Shown = QzDrawImage(Painter, rect, *item, true, true) || Shown;
        return true;
    }
    // At its own size in the middle, or made smaller to fit.
    QSize size = item->Picture().size();
    if (size.width() > rect.width() || size.height() > rect.height())
        size.scale(rect.size(), Qt::KeepAspectRatio);
    const QRect target(rect.center() - QPoint(size.width() / 2, size.height() / 2), size);
    const bool drawn = size == item->Picture().size()
                           ? QzDrawImage(Painter, target, *item, false, true)
                           : QzDrawImage(Painter, target, *item, true, true);
    Shown = Shown || drawn;
    return drawn;
}

QVariant TQzPainting::property(const char* name) const {
    return Control.property(name);
}

QString TQzPainting::placeholder() const {
    const QString field = property("DataField").toString();
    return Context.Designing && !field.isEmpty() ? u'[' + field + u']' : QString();
}

void TQzPainting::placeholderText(const QRect& rect, int flags) {
    // Greyed, and what shows nothing else keeps its outline.
    const bool shown = Shown;
    text(rect, placeholder(), flags, QzPaintColor(clGrayText));
    Shown = shown;
}

QString QzPaintValueText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.metaType() == QMetaType::fromType<QDateTime>())
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    return value.toString();
}

// ---------------------------------------------------------------------------------------------
// Forms

void QzPaintFormClient(QPainter& painter, const QRect& client, const TComponent& root,
                       const TQzPaintContext& context) {
    const QVariant color = root.property("Color");
    painter.fillRect(client, QzPaintColor(color.isValid() ? color.toInt() : clBtnFace));
    if (const TQzCCustomForm* form = formComponentOf(root))
        if (const TQzPkgDisplaySetBackGround* set = backGroundOf(form->BackGroundSet(), context))
            paintBackGround(painter, client, *set);
}

QString QzFormCaption(const TComponent& root) {
    if (const TQzCCustomForm* form = formComponentOf(root))
        if (const QString text = form->Caption()->Text(); !text.isEmpty())
            return text;
    return root.property("Caption").toString();
}

void QzPaintControl(QPainter& painter, const QRect& rect, const TControl& control,
                    const TQzPaintContext& context) {
    if (rect.isEmpty())
        return;
    painter.save();
    TQzPainting p(painter, rect, control, context);
    p.Rect = QzPaintExtent(p);
    painter.setClipRect(p.Rect, Qt::IntersectClip);
    const bool known = QzPaintLabelFamily(p) || QzPaintButtonFamily(p) || QzPaintEditFamily(p) ||
                       QzPaintListFamily(p) || QzPaintImageFamily(p) || QzPaintContainerFamily(p) ||
                       QzPaintBarFamily(p);
    if (!known) {
        // A control of no family of the library (a frame, a plain control): its face and name.
        p.face(rect);
        p.text(rect, QzCaptionOf(&control), Qt::AlignCenter);
    }
    if (!p.Shown && context.Designing) {
        painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

// ---------------------------------------------------------------------------------------------
// Pages

TQzTabSheet* QzShownTabSheet(const TQzCustomPageControl& pages) {
    const int index = pages.FTabIndex;
    if (index >= 0 && index < pages.Tabs()->Count())
        if (TQzTabSheet* sheet = pages.FindTabSheet(pages.GetTab(index)->PageId()))
            return sheet;
    const QList<TQzTabSheet*> sheets = pages.TabSheets();
    return sheets.isEmpty() ? nullptr : sheets.first();
}

TQzOutLookBarPage* QzShownOutLookPage(const TQzOutLookBar& bar) {
    if (bar.ActivePage())
        return bar.ActivePage();
    const QList<TQzOutLookBarPage*> pages = bar.Pages();
    return pages.isEmpty() ? nullptr : pages.first();
}

int QzPageControlTabAt(const TQzCustomPageControl& pages, const QRect& rect, const QPoint& point) {
    const TQzPaintContext context;
    for (const TTabPlace& place : tabPlaces(pages, rect, lookOf(pages, context).Font))
        if (place.Rect.contains(point))
            return place.Index;
    return -1;
}

TQzOutLookBarPage* QzOutLookBarPageAt(const TQzOutLookBar& bar, const QRect& rect,
                                      const QPoint& point) {
    const TQzPaintContext context;
    const int height = outLookButtonHeight(bar, lookOf(bar, context).Font);
    const QList<TQzOutLookBarPage*> pages = bar.Pages();
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (outLookButton(bar, rect, i, height).contains(point))
            return pages[i];
    return nullptr;
}

// The page control's tabs and the outlook bar's buttons are drawn here, beside the geometry the
// hit tests share.
void QzPaintPageTabs(TQzPainting& p, const TQzCustomPageControl& pages) {
    const TQzTabSheet* shown = QzShownTabSheet(pages);
    const QList<TTabPlace> places = tabPlaces(pages, p.Rect, p.Look.Font);
    const int stripBottom = places.isEmpty() ? p.Rect.top() : places.first().Rect.bottom() + 1;
    // The page's frame under the strip.
    const QRect frame(p.Rect.left(), stripBottom, p.Rect.width(),
                      p.Rect.bottom() + 1 - stripBottom);
    p.Painter.fillRect(frame, p.Look.Face);
    QzPaintBevel(p.Painter, frame, TQzBevel::Raised);
    for (const TTabPlace& place : places) {
        const TQzTabControl* tab = pages.GetTab(place.Index);
        const bool active = shown && shown->FPageId == tab->PageId();
        const QRect r = active ? place.Rect.adjusted(-2, -2, 2, 1) : place.Rect;
        p.Painter.fillRect(r, p.Look.Face);
        QzPaintBevel(p.Painter, r.adjusted(0, 0, 0, active ? 0 : -1), TQzBevel::Raised);
        if (active)
            p.Painter.fillRect(QRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 2), p.Look.Face);
        QRect content = r.adjusted(6, 0, -6, 0);
        if (p.image(QRect(content.left(), r.center().y() - 8, 16, 16), tab->Image()))
            content.setLeft(content.left() + 20);
        p.text(content, tab->Caption()->Text(), Qt::AlignVCenter | Qt::AlignLeft);
    }
    p.Shown = true;
}

void QzPaintOutLookButtons(TQzPainting& p, const TQzOutLookBar& bar) {
    const QList<TQzOutLookBarPage*> pages = bar.Pages();
    const int height = outLookButtonHeight(bar, p.Look.Font);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QRect button = outLookButton(bar, p.Rect, i, height);
        p.Painter.fillRect(button, QzPaintColor(clBtnFace));
        QzPaintBevel(p.Painter, button, TQzBevel::Raised);
        QRect content = button.adjusted(6, 0, -6, 0);
        if (p.image(QRect(content.left(), button.center().y() - 8, 16, 16), pages[i]->Image()))
            content.setLeft(content.left() + 22);
        p.text(content, pages[i]->Caption()->Text(), Qt::AlignCenter, QzPaintColor(clBtnText));
    }
    p.Shown = true;
}
