#pragma once

#include "catalog/CatalogoArea.h"

#include <QList>
#include <QString>

#include <optional>

// The regions test without its window. Each question names a province; the pupil first finds
// its region on the map of Italy (the region step), then the province on the region's map (the
// province step). Both steps count right and wrong answers. A region is complete once all its
// provinces are found; the test ends when every province is found.
class TestRegioni {
public:
    struct Provincia {
        QString nome;
        QString regione;
        int classe = 0;
    };

    enum class Esito { Ignorata, Giusta, Sbagliata };
    enum class Fase {
        Regione,   // the region step is open
        Provincia, // the province step is open
        Fermo,     // no question open (before the first, after a right province, at the end)
    };

    TestRegioni() = default;
    // The provinces catalog (rows 0..NumeroProvince) and the regions of Italy's area catalog.
    TestRegioni(QList<Provincia> province, QList<VoceCatalogo> regioni);
    static TestRegioni DaCatalogo(const CatalogoArea& province, const QList<VoceCatalogo>& regioni);

    const QList<Provincia>& Province() const { return province_; }
    const QList<VoceCatalogo>& Regioni() const { return regioni_; }

    // A new test: nothing found, counts back to zero.
    void Azzera();
    // Draws the next province among those not found and opens its region step; nullopt at the end.
    std::optional<int> ProssimaDomanda();
    bool Finito() const { return trovate_ >= province_.size(); }
    Fase FaseCorrente() const { return fase_; }
    bool AttesaRegione() const { return fase_ == Fase::Regione; }
    int Richiesto() const { return richiesto_; }
    QString NomeRichiesto() const;
    QString RegioneRichiesta() const;

    // An answer on the map of Italy: counted while the region step is open, ignored otherwise.
    // A right region opens the province step.
    Esito RispostaRegione(const QString& regione);
    // An answer on the region's map: counted while the province step is open. A right province
    // closes the question (Fermo) until ProssimaDomanda.
    Esito RispostaProvincia(const QString& provincia);

    bool ProvinciaTrovata(int slot) const;
    int ProvinceTrovate() const { return trovate_; }
    // Every province of the region has been found.
    bool RegioneCompleta(const QString& regione) const;
    // The slot of a region in the regions list (the last with that name), -1 when absent.
    int IndiceRegione(const QString& regione) const;
    // The provinces of a region, as slots of the catalog, in catalog order.
    QList<int> ProvinceDi(const QString& regione) const;
    // The most provinces any region has.
    int MassimoProvincePerRegione() const;

    int RisposteEsatte() const { return esatte_; }
    int RisposteErrate() const { return errate_; }

private:
    QList<Provincia> province_;
    QList<VoceCatalogo> regioni_;
    QList<bool> trovata_;
    int trovate_ = 0;
    int richiesto_ = -1;
    Fase fase_ = Fase::Fermo;
    int esatte_ = 0;
    int errate_ = 0;
};
