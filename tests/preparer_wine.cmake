# Prépare le dossier de Wine avant les tests : son premier démarrage le crée
# et le raconte. Sorties vers des fichiers, non vers des tubes : les services
# que Wine laisse derrière lui ne retiennent pas ainsi le test jusqu'à son
# délai.
#   WINEBOOT  le programme wineboot de Wine
#   DOSSIER   où garder ce qu'il a écrit
file(MAKE_DIRECTORY "${DOSSIER}")
execute_process(
    COMMAND "${WINEBOOT}" -i
    INPUT_FILE /dev/null
    OUTPUT_FILE "${DOSSIER}/wineboot.sortie"
    ERROR_FILE "${DOSSIER}/wineboot.erreurs"
    RESULT_VARIABLE statut
    TIMEOUT 280)
if(NOT statut STREQUAL "0")
    file(READ "${DOSSIER}/wineboot.erreurs" erreurs)
    message(FATAL_ERROR "wineboot -i : statut ${statut}\n${erreurs}")
endif()
