#include "shots/Shots.h"

#include "app/TfrmSplash.h"
#include "access/OperAccess.h"
#include "contracts/TFrmMain.h"

REGISTER_SHOT("splash", [] {
    TfrmSplash s;
    Shots::save(&s, QStringLiteral("splash"));
});

REGISTER_SHOT("main", [] {
    TFrmMain m;
    m.resize(1200, 760);
    SetLimits(m);
    Shots::save(&m, QStringLiteral("main"));
    m.hide();
});
