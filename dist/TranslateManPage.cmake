# Writes the manual page in one language: po4a translates the English template with the
# language's catalogue, then the version and date are filled in as for the English page.
# A catalogue that lacks an entry fails the build, so no page goes out half in English
# (po4a alone would just leave the page out). Run with cmake -P and -D for PO4A_TRANSLATE,
# TEMPLATE, CATALOGUE, OUTPUT, BRINDLE_RELEASE_DATE and PROJECT_VERSION.

set(translated ${OUTPUT}.in)
file(REMOVE ${translated} ${OUTPUT})
execute_process(
  COMMAND ${PO4A_TRANSLATE} --format man --master-charset UTF-8 --localized-charset UTF-8
          --keep 100 --master ${TEMPLATE} --po ${CATALOGUE} --localized ${translated}
  RESULT_VARIABLE result OUTPUT_VARIABLE messages ERROR_VARIABLE messages)
if(NOT result EQUAL 0 OR NOT EXISTS ${translated})
  message(FATAL_ERROR "${CATALOGUE} does not translate the whole manual page:\n${messages}")
endif()
configure_file(${translated} ${OUTPUT} @ONLY)
file(REMOVE ${translated})
