# Fait tourner le programme sur un cas de bout en bout, entrée et sorties par
# fichiers, et compare les sorties octet par octet à ce qui est attendu.
#   PROGRAMME  le programme (LANCEUR, ses mots séparés par « | », le précède
#              quand il faut un émulateur)
#   CAS        le chemin du cas sans extension : CAS.entree, CAS.sortie,
#              CAS.erreurs (absent : la sortie d'erreur doit rester vide)
#   DOSSIER    où garder ce que le programme a écrit
#   PLIER_FINS_DE_LIGNE  vrai pour lire CR LF comme LF
string(REPLACE "|" ";" LANCEUR "${LANCEUR}")
get_filename_component(nom "${CAS}" NAME)
set(obtenu "${DOSSIER}/${nom}")
file(MAKE_DIRECTORY "${DOSSIER}")
execute_process(
    COMMAND ${LANCEUR} "${PROGRAMME}"
    INPUT_FILE "${CAS}.entree"
    OUTPUT_FILE "${obtenu}.sortie"
    ERROR_FILE "${obtenu}.erreurs"
    RESULT_VARIABLE statut
    TIMEOUT 120)
if(NOT statut STREQUAL "0")
    message(FATAL_ERROR "${nom} : statut ${statut} au lieu de 0")
endif()

set(option_fins)
if(PLIER_FINS_DE_LIGNE)
    set(option_fins --ignore-eol)
endif()

function(comparer attendu recu)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${option_fins} "${attendu}" "${recu}"
                    RESULT_VARIABLE different)
    if(different)
        find_program(DIFF diff)
        if(DIFF)
            execute_process(COMMAND ${DIFF} -a -u "${attendu}" "${recu}")
        endif()
        message(FATAL_ERROR "${nom} : ${recu} diffère de ${attendu}")
    endif()
endfunction()

comparer("${CAS}.sortie" "${obtenu}.sortie")
if(EXISTS "${CAS}.erreurs")
    comparer("${CAS}.erreurs" "${obtenu}.erreurs")
else()
    file(SIZE "${obtenu}.erreurs" taille)
    if(NOT taille EQUAL 0)
        file(READ "${obtenu}.erreurs" texte)
        message(FATAL_ERROR "${nom} : sortie d'erreur inattendue :\n${texte}")
    endif()
endif()
