#pragma once

#include "practice/history/classstore.h"

#include <QObject>
#include <QString>

class QThread;

namespace practice::classroom {

class CSendRound;

// Sends the results waiting in the local outbox to the class, oldest first, on
// a thread of its own: neither the network nor the server ever holds up the
// window or a test. A round runs when asked (after each result, at start-up)
// and, while any result waits, again every CSendRound::kRetryMs.
class CClassSender : public QObject {
    Q_OBJECT
public:
    CClassSender(QString historyPath, history::ClassConnection where, QObject* parent = nullptr);
    // Waits for the round in flight, which the connection's time-outs bound.
    ~CClassSender() override;

    // Kept in memory only, for this run.
    void SetPassword(const QString& password);
    // Starts a round soon; safe to call at any time, rounds never overlap.
    void SendNow();
    // Stops sending without waiting for a round in flight: the sender goes
    // once the round ends on its own, and the program's end waits for that.
    void Retire();

signals:
    // After each round: how many results still wait, and why they could not
    // go (empty when the class took them all). `needsPassword` when the
    // server asked for a password that was not given.
    void Waiting(int count, const QString& problem, bool needsPassword);

private:
    // Why no round can run (the module could not be loaded).
    QString m_problem;
    QThread* m_thread = nullptr;
    CSendRound* m_round = nullptr;
};

}  // namespace practice::classroom
