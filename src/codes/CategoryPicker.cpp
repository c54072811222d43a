#include "codes/CategoryPicker.h"

#include "codes/CategoryStore.h"
#include "codes/TDLGenterCaption.h"
#include "codes/TFrmCodeMan.h"
#include "codes/TFrmTreeCodeMan.h"
#include "platform/Messages.h"

bool PickCategory(int mode, QString& path, QWidget* parent)
{
    if (!CategoryStore::treeOfMode(mode) || !CategoryStore::isPickMode(mode)) return false;
    TFrmTreeCodeMan w(parent);
    w.SetMode(mode, path);
    DispFormPos(&w, 1);
    const int result = execModal(&w);
    const QString chosen = w.selectedPath();
    // The root is never handed back: it is no category.
    if ((result != QDialog::Accepted && !w.changedMark()) || chosen.isEmpty()) return false;
    path = chosen;
    return true;
}

bool MaintainCategories(int mode, QWidget* parent)
{
    if (!CategoryStore::treeOfMode(mode) || CategoryStore::isPickMode(mode)) return false;
    TFrmTreeCodeMan w(parent);
    w.SetMode(mode);
    DispFormPos(&w, 1);
    execModal(&w);
    return w.changedMark();
}

QString AskCaption(const QString& prompt, const QString& initial, int pickMode, QWidget* parent)
{
    TDLGenterCaption d(parent);
    d.setPickMode(pickMode);
    d.setPrompt(prompt);
    d.setText(initial);
    DispFormPos(&d, 1);
    return execModal(&d) == QDialog::Accepted ? d.text() : QString();
}

void ShowCodeLists(QWidget* parent)
{
    TFrmCodeMan w(parent);
    DispFormPos(&w, 1);
    execModal(&w);
}
