#include "QzControlBase.h"

TQzControlRefs::TQzControlRefs(QObject* owner)
    : Caption(new TQzMemoryLabel(owner)), Hint(new TQzMemoryLabel(owner)), Font(new TFont(owner)),
      SetColor(new TQzSetColor(owner)), SetFont(new TQzSetFont(owner)),
      SetBackGround(new TQzSetBackGround(owner)), Privilege(new TQzPrivilege(owner)) {}

TQzGraphicControl::TQzGraphicControl(TComponent* owner) : TControl(owner), FRefs(this) {}

TQzWinControl::TQzWinControl(TComponent* owner) : TWinControl(owner), FRefs(this) {}
