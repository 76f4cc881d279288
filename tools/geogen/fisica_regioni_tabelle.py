#!/usr/bin/python3
"""Writes catalog/CatalogoFisicoRegioni.cpp: the twenty regional physical tables, from the same
rows (regioni_elementi.csv) that draw the regional physical maps, so that every table row and
its map element carry the same name letter for letter.

    /usr/bin/python3 tools/geogen/fisica_regioni_tabelle.py
"""

import os
import shutil
import subprocess
import sys

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, QUI)
import aree  # noqa: E402
from fisica_regioni import leggi_elementi  # noqa: E402

RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))
USCITA = os.path.join(RADICE, "catalog", "CatalogoFisicoRegioni.cpp")

COSTANTI = {"fiume": "Fiume", "mare": "Mare", "monte": "Monte", "pianura": "Pianura",
            "deserto": "Deserto", "altri": "Altri", "indistinto": "Indistinto"}

TESTA = """\
// The physical tables of Italy's twenty regions. Written by tools/geogen/fisica_regioni_tabelle.py
// from tools/geogen/regioni_elementi.csv, the rows that also draw the regional physical maps
// (data/mappe/regioniitaliane/<region>_fisica.geojson): edit the rows there and run
// "tools/geogen/genera.sh regioni", not this file.
#include "catalog/CatalogoFisicoRegioni.h"

#include <iterator>

namespace {

using namespace CategoriaFisica;

// clang-format off
"""

CODA = """\
// clang-format on

struct TabellaRegione {
    const char16_t* regione;
    std::span<const VoceFisica> righe;
};

const TabellaRegione tabelle[] = {
{ELENCO}
};

} // namespace

std::span<const VoceFisica> TabellaFisicaRegione(const QString& regione) {
    for (const TabellaRegione& t : tabelle)
        if (regione == QStringView(t.regione))
            return t.righe;
    return {};
}

QStringList RegioniConTabellaFisica() {
    QStringList out;
    out.reserve(static_cast<qsizetype>(std::size(tabelle)));
    for (const TabellaRegione& t : tabelle)
        out.append(QString::fromUtf16(t.regione));
    return out;
}

bool CaricaFisicoRegione(CatalogoFisico& c, const QString& regione) {
    const auto righe = TabellaFisicaRegione(regione);
    if (righe.empty())
        return false;
    CaricaFisico(c, righe);
    return true;
}
"""


def letterale(testo):
    return 'u"' + testo.replace("\\", "\\\\").replace('"', '\\"') + '"'


def identificatore(regione):
    return "tabella" + "".join(c for c in regione.title() if c.isalnum())


def main():
    righe = leggi_elementi()
    parti = [TESTA]
    elenco = []
    for reg in aree.REGIONI:
        nome_c = identificatore(reg)
        parti.append(f"const VoceFisica {nome_c}[] = {{\n")
        for nome, cat, _, _ in righe[reg]:
            parti.append(f"    {{{letterale(nome)}, {COSTANTI[cat]}}},\n")
        parti.append("};\n\n")
        elenco.append(f"    {{{letterale(reg)}, {nome_c}}},")
    parti.append(CODA.replace("{ELENCO}", "\n".join(elenco)))
    tmp = USCITA + ".tmp"
    with open(tmp, "w", encoding="utf-8") as fh:
        fh.write("".join(parti))
    os.replace(tmp, USCITA)
    formato = shutil.which("clang-format")
    if formato:
        subprocess.run([formato, "-i", USCITA], check=True)
    print(USCITA)


if __name__ == "__main__":
    main()
