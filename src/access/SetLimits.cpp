#include "access/OperAccess.h"

#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/SeedData.h"

#include <QAction>
#include <QMenu>

void SetLimits(TFrmMain& frm)
{
    const bool admin = AppState().isAdmin();
    QHash<int, bool> anyShown;  // by menu heading 100 … 500
    for (const SeedData::Permission& p : SeedData::permissions()) {
        const QString code = QString::fromLatin1(p.code);
        const bool shown = admin || dmData->HasPermission(code);
        frm.setCommandShown(code.toInt(), shown);
        anyShown[code.toInt() / 100 * 100] |= shown;
    }
    for (int heading : {100, 200, 300, 400, 500})
        if (QMenu* menu = frm.menuHeading(heading)) menu->menuAction()->setVisible(anyShown.value(heading));

    // The detail-list export follows the main export; the batch changes of the
    // contract list follow the detail-record change command.
    frm.setCommandShown(31, frm.commandShown(301));
    frm.setBatchEntriesShown(frm.commandShown(902));
    frm.setApproveShown(AppState().CanApprove);
}
