#include "workspace/voce/SintesiEspeak.h"

#include <QCoreApplication>
#include <QThread>

#include <espeak-ng/speak_lib.h>

#include <mutex>

namespace {

// All use of the library, whatever the thread, holds this lock.
std::mutex& Blocco() {
    static std::mutex m;
    return m;
}

struct StatoLibreria {
    bool provato = false;
    bool pronto = false;
    QString voceAttuale;
    // The request being synthesised (the library calls back on the synthesising thread).
    const RichiestaSintesi* richiesta = nullptr;
    RisultatoSintesi* risultato = nullptr;
    QList<qsizetype> indiceDelCarattere; // code point -> index in the QString
    bool modiLetti = false;
    QList<ModoSintesi> modi;
};

StatoLibreria& Libreria() {
    static StatoLibreria s;
    return s;
}

// One request never makes more than this much audio (15 minutes, about 40 MB): a whole book
// passed as one text is cut short instead of exhausting memory. Its remaining bookmarks fire at
// the end of what was made.
constexpr qsizetype PcmMassimo = qsizetype(15) * 60 * FrequenzaSintesi * 2;

int Richiamo(short* campioni, int numero, espeak_EVENT* eventi) {
    StatoLibreria& lib = Libreria();
    if (!lib.risultato || !lib.richiesta)
        return 1;
    if (lib.richiesta->annullata && lib.richiesta->annullata->load())
        return 1; // abandoned: stop synthesising
    for (espeak_EVENT* e = eventi; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        if (e->type != espeakEVENT_WORD || e->length <= 0 || e->text_position <= 0)
            continue;
        const qsizetype cp = e->text_position - 1; // 1-based code points
        if (cp >= lib.indiceDelCarattere.size())
            continue;
        lib.risultato->parole.append({lib.indiceDelCarattere[cp], e->length, e->sample});
    }
    if (campioni && numero > 0)
        lib.risultato->pcm.append(reinterpret_cast<const char*>(campioni),
                                  qsizetype(numero) * qsizetype(sizeof(short)));
    return lib.risultato->pcm.size() > PcmMassimo ? 1 : 0;
}

// Under the lock.
bool Prepara() {
    StatoLibreria& lib = Libreria();
    if (!lib.provato) {
        lib.provato = true;
        const int frequenza = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, 0);
        lib.pronto = frequenza == FrequenzaSintesi;
        if (frequenza > 0 && !lib.pronto)
            qWarning("Sintesi vocale: frequenza inattesa %d", frequenza);
        if (lib.pronto)
            espeak_SetSynthCallback(&Richiamo);
    }
    return lib.pronto;
}

// Under the lock.
bool ImpostaVoce(const QString& voce) {
    StatoLibreria& lib = Libreria();
    const QString desiderata = voce.isEmpty() ? QStringLiteral("roa/it") : voce;
    if (desiderata == lib.voceAttuale)
        return true;
    if (espeak_SetVoiceByName(desiderata.toUtf8().constData()) == EE_OK ||
        espeak_SetVoiceByName("it") == EE_OK) {
        lib.voceAttuale = desiderata;
        return true;
    }
    return false;
}

// Under the lock.
const QList<ModoSintesi>& ModiSottoBlocco() {
    StatoLibreria& lib = Libreria();
    if (lib.modiLetti || !Prepara())
        return lib.modi;
    lib.modiLetti = true;
    QList<ModoSintesi> modi;
    const espeak_VOICE** voci = espeak_ListVoices(nullptr);
    for (int i = 0; voci && voci[i]; ++i) {
        const espeak_VOICE* v = voci[i];
        ModoSintesi m;
        m.file = QString::fromUtf8(v->identifier ? v->identifier : "");
        m.nome = QString::fromUtf8(v->name ? v->name : "");
        // languages: a priority byte, then a NUL-terminated name, repeated; the first is the main.
        if (v->languages && v->languages[0])
            m.lingua = QString::fromUtf8(v->languages + 1);
        if (m.file.isEmpty())
            continue;
        m.identificatore = u'{' + m.file + u'}';
        if (!m.lingua.isEmpty())
            m.nome += QStringLiteral(" (") + m.lingua + u')';
        modi.append(m);
    }
    // The variants (voice qualities applied to any voice): "!v/m1" -> "m1".
    QStringList varianti;
    espeak_VOICE richiesta{};
    richiesta.languages = "variant";
    const espeak_VOICE** elenco = espeak_ListVoices(&richiesta);
    for (int i = 0; elenco && elenco[i]; ++i) {
        const QString id = QString::fromUtf8(elenco[i]->identifier ? elenco[i]->identifier : "");
        varianti.append(id.section(u'/', -1));
    }
    lib.modi = ConVariantiItaliane(FiltraModi(std::move(modi), &MbrolaInstallato), varianti);
    return lib.modi;
}

RisultatoSintesi SintetizzaSottoBlocco(const RichiestaSintesi& r) {
    RisultatoSintesi ris;
    ris.id = r.id;
    if (!Prepara() || !ImpostaVoce(FileDelModo(ModiSottoBlocco(), r.modoVoce)))
        return SintesiEspeak::Stima(r);
    espeak_SetParameter(espeakRATE, r.velocita, 0);
    espeak_SetParameter(espeakPITCH, std::clamp(r.tono, 0, 99), 0);

    StatoLibreria& lib = Libreria();
    lib.indiceDelCarattere.clear();
    for (qsizetype i = 0; i < r.testo.size(); ++i) {
        lib.indiceDelCarattere.append(i);
        if (r.testo[i].isHighSurrogate() && i + 1 < r.testo.size() &&
            r.testo[i + 1].isLowSurrogate())
            ++i;
    }
    const QByteArray utf8 = r.testo.toUtf8();
    lib.richiesta = &r;
    lib.risultato = &ris;
    const espeak_ERROR esito = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0,
                                            POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    lib.richiesta = nullptr;
    lib.risultato = nullptr;
    const bool tagliata = ris.pcm.size() > PcmMassimo;
    if (esito != EE_OK && !tagliata && !(r.annullata && r.annullata->load()))
        return SintesiEspeak::Stima(r);
    ris.sintetizzato = true;
    return ris;
}

// The worker thread and the object living on it.
class Lavoratore {
public:
    Lavoratore() {
        thread.setObjectName(QStringLiteral("SintesiVoce"));
        contesto.moveToThread(&thread);
        thread.start();
        qAddPostRoutine(&Lavoratore::Chiudi);
    }

    static Lavoratore& Istanza() {
        static Lavoratore l;
        return l;
    }

    static void Chiudi() {
        Lavoratore& l = Istanza();
        l.thread.quit();
        l.thread.wait();
        std::lock_guard lock(Blocco());
        if (Libreria().pronto)
            espeak_Terminate();
        Libreria().pronto = false;
    }

    QThread thread;
    QObject contesto;
};

} // namespace

void RecapitoSintesi::Consegna(std::function<void()> f) {
    std::lock_guard lock(m_);
    if (ricevente_)
        QMetaObject::invokeMethod(ricevente_, std::move(f), Qt::QueuedConnection);
}

namespace SintesiEspeak {

RisultatoSintesi Stima(const RichiestaSintesi& r) {
    RisultatoSintesi ris;
    ris.id = r.id;
    const qint64 campioniPerParola = qint64(FrequenzaSintesi) * 60 / std::max(r.velocita, 1);
    qint64 campione = 0;
    qsizetype i = 0;
    while (i < r.testo.size()) {
        while (i < r.testo.size() && r.testo[i].isSpace())
            ++i;
        if (i >= r.testo.size())
            break;
        const qsizetype inizio = i;
        while (i < r.testo.size() && !r.testo[i].isSpace())
            ++i;
        if ((campione + campioniPerParola) * qint64(sizeof(qint16)) > PcmMassimo)
            break;
        ris.parole.append({inizio, i - inizio, campione});
        campione += campioniPerParola;
    }
    ris.pcm = QByteArray(campione * qsizetype(sizeof(qint16)), '\0');
    return ris;
}

void Sintetizza(RichiestaSintesi richiesta, std::shared_ptr<RecapitoSintesi> recapito,
                std::function<void(const RisultatoSintesi&)> consegna) {
    Lavoratore& l = Lavoratore::Istanza();
    QMetaObject::invokeMethod(
        &l.contesto,
        [richiesta = std::move(richiesta), recapito = std::move(recapito),
         consegna = std::move(consegna)] {
            if (richiesta.annullata && richiesta.annullata->load())
                return;
            RisultatoSintesi ris;
            {
                std::lock_guard lock(Blocco());
                ris = SintetizzaSottoBlocco(richiesta);
            }
            recapito->Consegna([ris = std::move(ris), consegna, annullata = richiesta.annullata] {
                if (!(annullata && annullata->load()))
                    consegna(ris);
            });
        },
        Qt::QueuedConnection);
}

void PreparaInAnticipo() {
    QMetaObject::invokeMethod(
        &Lavoratore::Istanza().contesto,
        [] {
            std::lock_guard lock(Blocco());
            ModiSottoBlocco();
        },
        Qt::QueuedConnection);
}

RisultatoSintesi SintetizzaOra(const RichiestaSintesi& richiesta) {
    std::lock_guard lock(Blocco());
    return SintetizzaSottoBlocco(richiesta);
}

QList<ModoSintesi> Modi() {
    std::lock_guard lock(Blocco());
    return ModiSottoBlocco();
}

} // namespace SintesiEspeak
