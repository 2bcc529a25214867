# Lays out the program folder beside the executables: the shipped upgrade
# scripts and the help pages are copied, the default norm file is generated.
file(GLOB BAZA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/baza/*)
file(GLOB HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(PROGRAM_FOLDER_STAMP ${CMAKE_BINARY_DIR}/program_folder.stamp)
set(NORM_COMMANDS "")
if(TARGET gibomer-norms)
  set(NORM_COMMANDS COMMAND gibomer-norms build ${CMAKE_SOURCE_DIR}/data/norm-model.csv ${GIBOMER_BIN_DIR}/baza/Tnorme.dat)
  set(NORM_DEPENDS gibomer-norms ${CMAKE_SOURCE_DIR}/data/norm-model.csv)
endif()
add_custom_command(OUTPUT ${PROGRAM_FOLDER_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GIBOMER_BIN_DIR}/baza ${GIBOMER_BIN_DIR}/help
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${BAZA_FILES} ${GIBOMER_BIN_DIR}/baza/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${HELP_FILES} ${GIBOMER_BIN_DIR}/help/
  ${NORM_COMMANDS}
  COMMAND ${CMAKE_COMMAND} -E touch ${PROGRAM_FOLDER_STAMP}
  DEPENDS ${BAZA_FILES} ${HELP_FILES} ${NORM_DEPENDS}
  COMMENT "Laying out the program folder")
add_custom_target(program_folder ALL DEPENDS ${PROGRAM_FOLDER_STAMP})
add_dependencies(gibomer program_folder)
