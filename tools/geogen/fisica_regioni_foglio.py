#!/usr/bin/python3
"""Contact sheet of the twenty regional physical maps (docs/mappe/fisiche_regioni.png), drawn by
the program's own renderer in the default colours.

    /usr/bin/python3 tools/geogen/fisica_regioni_foglio.py --rendermappa BUILD/tools/rendermappa/rendermappa

Needs the rendermappa tool (built from tools/rendermappa) and ImageMagick's montage."""

import argparse
import os
import subprocess
import sys
import tempfile

QUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, QUI)
import aree  # noqa: E402

RADICE = os.path.normpath(os.path.join(QUI, "..", ".."))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--rendermappa", required=True)
    ap.add_argument("--uscita", default=os.path.join(RADICE, "docs", "mappe", "fisiche_regioni.png"))
    a = ap.parse_args()
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    with tempfile.TemporaryDirectory() as tmp:
        immagini = []
        for reg in aree.REGIONI:
            png = os.path.join(tmp, f"{reg}.png")
            subprocess.run([a.rendermappa, f"swf/regioniitaliane/{reg}fis1.swf", png,
                            "--size", "600x600", "--data", os.path.join(RADICE, "data")],
                           check=True, env=env, stdout=subprocess.DEVNULL)
            immagini.append(png)
        subprocess.run(["montage", "-label", "%t", "-pointsize", "13", "-geometry", "280x280+3+3",
                        "-tile", "5x", *immagini, "-colors", "64", "PNG8:" + a.uscita], check=True)
    print(a.uscita)


if __name__ == "__main__":
    main()
