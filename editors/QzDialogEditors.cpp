#include "editors/QzDialogEditors.h"

#include "QzCApplication.h"

void QzCheckDesignApplication() {
    QzCAppRequired();
}
