#pragma once

#include "practice/history/classstore.h"

#include <QObject>
#include <QString>

#include <memory>

class QTimer;

namespace practice::classroom {

// One sender's rounds, on the sender's thread: the local outbox and the class
// each opened there, kept between rounds and opened afresh after a failure.
class CSendRound : public QObject {
    Q_OBJECT
public:
    // How many results go in one transaction: few round trips, yet an outage
    // mid-way costs little to send again.
    static constexpr int kBatch = 250;
    // How soon a round that left results waiting is tried again.
    static constexpr int kRetryMs = 30000;

    CSendRound(const history::ResultStoreFactory* local, const history::ClassStoreFactory* remote,
               QString historyPath, history::ClassConnection where);
    ~CSendRound() override;

    void SetPassword(const QString& password) { m_password = password; m_class.reset(); }
    void Run();

signals:
    void Done(int count, const QString& problem, bool needsPassword);

private:
    bool openLocal(QString* error);
    bool openClass(QString* error);
    void finish(int count, const QString& problem);

    const history::ResultStoreFactory* m_localFactory;
    const history::ClassStoreFactory* m_classFactory;
    QString m_historyPath;
    history::ClassConnection m_where;
    QString m_password;
    std::unique_ptr<history::ResultStore> m_local;
    std::unique_ptr<history::ClassStore> m_class;
    bool m_needsPassword = false;
    QTimer* m_retry = nullptr;
};

}  // namespace practice::classroom
