# The Debian package of the atlas (cpack -G DEB in the build folder):
# orbisto_<version>_<arch>.deb with the atlas, the wizard, the data and the desktop files.
set(CPACK_PACKAGE_NAME orbisto)
set(CPACK_PACKAGE_VENDOR "Sviluppatori dell'Orbisto di Tessivo")
set(CPACK_PACKAGE_CONTACT "Sviluppatori dell'Orbisto di Tessivo <orbisto@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "atlante geografico accessibile per la scuola")
set(CPACK_PACKAGE_DESCRIPTION
    "Atlante per alunni con ipovisione o difficolta' motorie: carte politiche e fisiche di sei\n\
aree del mondo e dell'Italia da esplorare con il mouse o con uno o due sensori a\n\
scansione, nomi letti ad alta voce, quiz, puzzle, testi letti con la parola evidenziata,\n\
registro degli esercizi e stampa delle carte.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binaries, plus what is loaded at run time: the voice data, the display
# plugins and the Italian translations of the standard dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "espeak-ng-data, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, pipewire-pulse | pulseaudio")
# Only the atlas's own components: no test or tool is installed.
include(CPack)
