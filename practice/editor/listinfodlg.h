#pragma once

#include "platform/framework/dialog.h"

#include <QBrush>
#include <QColor>
#include <QStringList>

class QListWidget;

// Shows the current list in order, duplicates included, and the word count it
// was given; it changes nothing.
class CListInfoDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    explicit CListInfoDlg(QWidget* parent = nullptr);

    void DoDataExchange(platform::framework::CDataExchange* pDX) override;
    bool OnInitDialog() override;
    bool OnHelpInfo(platform::framework::HELPINFO* info) override;

    const QStringList* m_pWordList = nullptr;
    QListWidget* m_listWords = nullptr;
    QString m_strCount;
    QColor m_clrBack;
    QBrush m_brBack;
};
