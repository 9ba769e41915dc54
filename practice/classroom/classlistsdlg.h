#pragma once

#include "platform/framework/dialog.h"
#include "practice/history/classstore.h"

class QListWidget;

// The class's lists, newest first; Enter or OK opens the chosen one.
class CClassListsDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    CClassListsDlg(const QList<practice::history::ClassList>& lists, QWidget* parent = nullptr);

    void OnOK() override;

    QListWidget* m_listLists = nullptr;
    // The chosen list, once OK was pressed.
    practice::history::ClassList m_chosen;
};
