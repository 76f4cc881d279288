# Lays out the installation folder: the wizard, the atlas's package, the step programs and the
# data folders. Run by the target "installazione" (cmake -P with BINARIO, SORGENTE, CARTELLA,
# SETUP).
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB -B ${BINARIO}/pacchetti
    WORKING_DIRECTORY ${BINARIO} RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
    message(FATAL_ERROR "cpack non è riuscito a creare il pacchetto (${esito})")
endif()
file(GLOB pacchetti ${BINARIO}/pacchetti/orbisto_*.deb)
if(NOT pacchetti)
    message(FATAL_ERROR "nessun pacchetto orbisto_*.deb in ${BINARIO}/pacchetti")
endif()

file(REMOVE_RECURSE ${CARTELLA})
file(MAKE_DIRECTORY ${CARTELLA}/pacchettoinstallazione ${CARTELLA}/componenti)
file(COPY ${SETUP} DESTINATION ${CARTELLA})
file(COPY ${SORGENTE}/installer/avvia-setup.sh DESTINATION ${CARTELLA})
file(COPY ${pacchetti} DESTINATION ${CARTELLA}/pacchettoinstallazione)
file(COPY ${SORGENTE}/installer/componenti/ DESTINATION ${CARTELLA}/componenti)
file(COPY ${SORGENTE}/data/ DESTINATION ${CARTELLA}/OrbistoT
    PATTERN "CMakeLists.txt" EXCLUDE PATTERN ".keep" EXCLUDE)
message(STATUS "Cartella di installazione pronta: ${CARTELLA}")
