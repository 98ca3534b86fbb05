# SPDX-License-Identifier: GPL-3.0-or-later
# The translations: Qt Linguist sources in translations/, compiled to .qm
# files beside the programs (bin/translations, as the build folder runs
# them) and installed in the shared data folder, where both programs look.
# vorlanta-cli reads the same files with a small reader of its own.
find_package(Qt6 COMPONENTS LinguistTools)
if(NOT Qt6LinguistTools_FOUND)
  message(WARNING "Qt Linguist tools not found: the programs stay English (scripts/install-deps build)")
  return()
endif()
file(GLOB VORLANTA_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/vorlanta_*.ts)
set_source_files_properties(${VORLANTA_TS_FILES} PROPERTIES OUTPUT_LOCATION ${CMAKE_BINARY_DIR}/bin/translations)
qt_add_lrelease(vorlanta TS_FILES ${VORLANTA_TS_FILES} QM_FILES_OUTPUT_VARIABLE VORLANTA_QM_FILES)
add_dependencies(vorlanta-cli vorlanta_lrelease)
install(FILES ${VORLANTA_QM_FILES} DESTINATION ${VORLANTA_DATADIR}/translations)

if(BUILD_TESTING)
  # Every text of the sources is in each .ts file, translated, with the
  # placeholders and menu access keys of the English; the check is tried
  # on a faulty file too, which it must refuse.
  set(check ${PROJECT_SOURCE_DIR}/scripts/check-translations)
  add_test(NAME Translations COMMAND ${check} --lupdate $<TARGET_FILE:Qt6::lupdate> --sources ${PROJECT_SOURCE_DIR}/src
    ${VORLANTA_TS_FILES})
  add_test(NAME Translations.RefusesFaults COMMAND ${check} ${PROJECT_SOURCE_DIR}/tests/translations/faulty_de.ts)
  set_tests_properties(Translations.RefusesFaults PROPERTIES PASS_REGULAR_EXPRESSION "faulty_de.ts: 5 faults")
endif()
