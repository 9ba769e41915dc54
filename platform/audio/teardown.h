#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace platform::audio {

// Tearing down a sound device runs the event loop. An object about to be
// deleted by its owner must not have its own deferred deletion delivered in
// the middle of that, or it would be deleted twice: call this first thing in
// the owner's destructor for the objects it is about to delete.
inline void CancelDeferredDeletes(const QObject* owner)
{
    QCoreApplication::removePostedEvents(const_cast<QObject*>(owner), QEvent::DeferredDelete);
    for (QObject* child : owner->children())
        QCoreApplication::removePostedEvents(child, QEvent::DeferredDelete);
}

}  // namespace platform::audio
