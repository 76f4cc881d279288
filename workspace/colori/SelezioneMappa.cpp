#include "workspace/colori/SelezioneMappa.h"

SelezioneMappa SelezioneMappa::Politica(PassataColori elementi, const QString& evidenziazione) {
    SelezioneMappa s;
    for (ColoreElemento& e : elementi)
        s.voci_.append(Voce{std::move(e.nome), QString(), std::move(e.colore)});
    s.evidenziazione_ = evidenziazione;
    return s;
}

SelezioneMappa SelezioneMappa::Fisica(RigheFisiche righe, const QString& evidenziazione) {
    SelezioneMappa s;
    for (const auto& r : righe)
        s.voci_.append(Voce{r[0], r[1], r[2]});
    s.evidenziazione_ = evidenziazione;
    s.fisica_ = true;
    return s;
}

AzioneSelezione SelezioneMappa::Clic(const QString& comando) {
    AzioneSelezione a;
    // The element chosen before goes back to its own colour: the last row with its name, the
    // first row's colour when no row has it.
    if (!selezionato_.isEmpty() && !voci_.isEmpty()) {
        qsizetype indice = 0;
        for (qsizetype i = 0; i < voci_.size(); ++i)
            if (voci_[i].nome == selezionato_)
                indice = i;
        if (!voci_[indice].colore.isEmpty())
            a.ripristina = ColoreElemento{selezionato_, voci_[indice].colore};
    }

    QString nome = comando.mid(LunghezzaPrefisso);
    if (fisica_) {
        for (const Voce& v : voci_)
            if (v.nome == nome && v.categoria == u"indistinto")
                nome = QStringLiteral("Indistinto");
        // Undistinguished land and the borders are not elements: nothing is highlighted, spoken
        // or remembered.
        if (nome == u"Indistinto" || nome == u"Confine")
            return a;
    }
    if (nome.isEmpty())
        return a;
    a.testoNome = nome;
    a.evidenzia = ColoreElemento{nome, evidenziazione_};
    a.leggi = true;
    selezionato_ = nome;
    return a;
}
