#pragma once

#include "shell/menu/MenuConScansione.h"
#include "workspace/scansione/MenuScansione.h"

#include <memory>

class QAction;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// The activity menu of the chosen area: political and physical map, puzzle and "Dov'è?", the
// information sheet, back; for Italy the choice between the whole nation and single regions
// ("Nazione"/"Regioni": option buttons with the mouse, two buttons walked by the highlight when
// scanning), and then the regions test. Tiles whose window does not exist yet are disabled and
// skipped by the scanning highlight.
class FormMenu2 : public MenuConScansione<FormMenu2, ScansioneMenuAttivita> {
    Q_OBJECT
    friend class MenuConScansione<FormMenu2, ScansioneMenuAttivita>;

public:
    explicit FormMenu2(QWidget* parent = nullptr);
    ~FormMenu2() override;

    void Attivazione() override;

    QLabel* Titolo() const { return titolo_; }
    QRadioButton* OpzioneNazione() const { return opzioni_[0]; }
    QRadioButton* OpzioneRegioni() const { return opzioni_[1]; }
    QPushButton* PulsanteScelta(int i) const { return pulsanti_[i]; }
    // Whether the pupil works on Italy region by region (option or scanning choice).
    bool ItaliaPerRegioni() const;
    // The window a tile opens now ("" for none).
    QString FinestraDellaCasellaOra(int casella) const;

    // The scanning-mode selection of a tile.
    void AvviaEsercizi(int indice);
    // The information sheet of the area.
    void ApriScheda();

protected:
    void CasellaScelta(int indice) override;
    void ApplicaProfilo() override;

private:
    void Esegui(const ScansioneMenuAttivita::Eventi& eventi);
    void Apri(int casella);
    void OpzioneCliccata(bool regioni);
    void SceltaFatta(bool regioni);
    void ColoraPulsanti(int evidenziato);
    void AggiornaCaselle();

    QLabel* titolo_ = nullptr;
    QWidget* frame1_ = nullptr;
    QWidget* frame2_ = nullptr;
    QRadioButton* opzioni_[2] = {nullptr, nullptr};
    QPushButton* pulsanti_[2] = {nullptr, nullptr};
    bool sceltaRegioni_ = false; // scanning: "Regioni" was chosen
};

// The title of an area key ("Americacs" -> "America Centro Settentrionale").
QString TitoloArea(const QString& area);
