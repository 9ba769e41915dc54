#pragma once

#include <QString>

// What the testing view says to the learner, word for word.
namespace practice::testview {

inline const QString kNoListMessage = QStringLiteral("No Spelling List ...\r\nPlease Open or Create a List");
inline const QString kReadyToTestMessage = QStringLiteral("Click T button to take a test.");
inline const QString kFirstWordMessage =
    QStringLiteral("Ready.\r\nClick LISTEN to hear word--\r\nThen type your answer in spell it.");
inline const QString kNextWordMessage =
    QStringLiteral("Ready\r\nClick LISTEN to hear word.\r\nThen type your answer in spell it.");
inline const QString kRightMessage = QStringLiteral("You got it right!");
inline const QString kEndOfTestMessage = QStringLiteral(
    "End of Test.  Check out your final score.\r\nClick T to redo test.\r\nSelect new to create new list.");
inline const QString kStoppedMessage =
    QStringLiteral("Try Again.  Click T button.\r\nOpen or create a new list.\r\nModify current list.");

inline QString WrongAnswerMessage(const QString& word)
{
    return QStringLiteral("Sorry wrong Answer.\r\nThe correct spelling is ") + word + u'.';
}

inline QString NoSoundFileMessage(const QString& clipPath)
{
    return QStringLiteral("No Sound file:  ") + clipPath + QStringLiteral(" found.");
}

// What a screen reader hears as a word comes up, and at the end: the form's
// message with what the form shows beside it.
inline QString SpokenWordInPlay(int number, int words, const QString& message)
{
    return QStringLiteral("Word %1 of %2. ").arg(number).arg(words) + message;
}

inline QString SpokenEnd(const QString& message, const QString& score)
{
    return message + QStringLiteral(" Score ") + score + u'.';
}

}  // namespace practice::testview
