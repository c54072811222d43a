#include "data/AppState.h"

int AppStateRecord::decimals(int entry) const
{
    bool ok = false;
    const int n = Captions[entry].trimmed().toInt(&ok);
    return ok && n >= 0 && n <= 8 ? n : 2;
}

AppStateRecord& AppState()
{
    static AppStateRecord state;
    return state;
}
