#pragma once

#include "workspace/voce/MotoreVoce.h"
#include "workspace/voce/Personaggio.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QPainter;
struct ProfiloUtente;

// The reading character: a small figure of our own in a frameless window of its own, that
// speaks through a MotoreVoce and moves its mouth while its audio plays. It idles (breathes and
// blinks) when silent. Positions are screen pixels.
class Assistente : public QWidget {
    Q_OBJECT
public:
    // Takes ownership of voce (a speaker on the program's speech service when null).
    explicit Assistente(const AspettoPersonaggio& aspetto, MotoreVoce* voce = nullptr,
                        QWidget* finestra = nullptr);
    ~Assistente() override;

    void Show();
    void Hide();
    void MoveTo(int x, int y);

    void Speak(const QString& testo);
    void StopAll();
    // The speech engine mode (the profile's ModoVoce).
    void ImpostaModoVoce(const QString& modoVoce);

    // Settings kept for the windows that set them; the character has no sound effects and no
    // word balloon of its own.
    int LanguageID = 1040;
    bool SoundEffectsOn = false;
    int StileFumetto = 0;

    const AspettoPersonaggio& Aspetto() const { return aspetto_; }
    MotoreVoce* Voce() const { return voce_; }
    bool StaParlando() const { return parla_; }
    // 0 (closed) .. 1 (wide open).
    double AperturaBocca() const { return bocca_; }

signals:
    void Bookmark(int numero);
    void RequestComplete();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Anima();
    void Disegna(QPainter& p, QSize dimensione, double ondeggio, double bocca,
                 bool occhiChiusi) const;
    void CambiaVoce(bool parla);

    AspettoPersonaggio aspetto_;
    MotoreVoce* voce_ = nullptr;
    QTimer animazione_;
    QElapsedTimer tempo_;
    bool parla_ = false;
    double bocca_ = 0;
    double ondeggio_ = 0;
    bool occhiChiusi_ = false;
};

// Loads, for a window, the character the profile names (Personaggio): an unknown one gives the
// default character. The character belongs to the window. Never fails.
Assistente* CaricaAssistente(QWidget* finestra, const ProfiloUtente& profilo,
                             MotoreVoce* voce = nullptr);

// On a window's activation, when speech is on: no sound effects, the profile's voice, no
// balloon, and the character placed off the visible screen (200 pixels left of and above the
// window's mirror position) and shown: on map windows it is heard, not seen. finestra is the
// window's frame in screen pixels.
void ImpostaMerlino(Assistente* assistente, const ProfiloUtente& profilo, const QRect& finestra);

// Speaks the text with the profile's speed and pitch, when speech is on; nothing is awaited.
// fermaPrima: cut off whatever the character is saying first (the quiz and puzzle windows).
// A missing character is no error.
void Leggi(Assistente* assistente, const ProfiloUtente& profilo, const QString& testo,
           bool fermaPrima = false);
