#pragma once

#include "platform/framework/dialog.h"
#include "platform/framework/progresspace.h"

class QLabel;

namespace practice::share {

class CImportJob;

// The progress of a step of Open List with Recordings: what is being done and
// the count of clips. Cancel asks the job to stop; the dialog closes by itself
// when the job is over. A screen reader hears the count now and then.
class CImportDlg : public platform::framework::CDialog {
    Q_OBJECT
public:
    CImportDlg(CImportJob* job, const QString& what, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnCancel() override;

private:
    void showProgress(int done, int total);

    CImportJob* m_job;
    QLabel* m_count = nullptr;
    platform::framework::ProgressPace m_pace;
};

}  // namespace practice::share
