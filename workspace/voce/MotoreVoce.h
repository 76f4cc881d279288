#pragma once

#include <QObject>
#include <QString>

// What a window needs of speech: speak a text in the tagged form ("\Spd=130\\Pit=100\..." with
// "\Mrk=n\" bookmarks), stop everything it asked for, and hear back when the audio reaches a
// bookmark and when each request ends. Requests are spoken in the order given. A window's
// StopAll cancels only its own requests.
class MotoreVoce : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MotoreVoce() override = default;

    virtual void Speak(const QString& testo) = 0;
    virtual void StopAll() = 0;
    // The voice, as an identifier from the list of voices ("{roa/it}"); unknown ones give the
    // best Italian voice.
    virtual void ImpostaModoVoce(const QString& modoVoce) = 0;

signals:
    // The audio being played has reached the bookmark "\Mrk=numero\".
    void Bookmark(int numero);
    // A request has been spoken to its end (not sent for cancelled requests).
    void RequestComplete();
    // True while audio of this speaker is playing (the character moves its mouth).
    void InVoce(bool parla);
};
