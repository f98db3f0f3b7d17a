#include "QzControlBase.h"

TQzControlRefs::TQzControlRefs(QObject* owner)
    : Caption(new TQzMemoryLabel(owner)), Hint(new TQzMemoryLabel(owner)), Font(new TFont(owner)),
      SetColor(new TQzSetColor(owner)), SetFont(new TQzSetFont(owner)),
      SetBackGround(new TQzSetBackGround(owner)), Privilege(new TQzPrivilege(owner)) {}

TQzGraphicControl::TQzGraphicControl(TComponent* owner) : TControl(owner), FRefs(this) {}

TQzWinControl::TQzWinControl(TComponent* owner) : TWinControl(owner), FRefs(this) {}

void TQzGraphicControl::MasterMessage(int, TPersistent*) {}

void TQzWinControl::MasterMessage(int, TPersistent*) {}

void QzMasterMessage(TControl* control, int code, TPersistent* object) {
    if (auto* windowed = qobject_cast<TQzWinControl*>(control))
        windowed->MasterMessage(code, object);
    else if (auto* graphic = qobject_cast<TQzGraphicControl*>(control))
        graphic->MasterMessage(code, object);
}
