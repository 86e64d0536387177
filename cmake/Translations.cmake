# The message catalogues: resources/translations/talvena_LANG.ts, the program's texts with their
# translations, compiled by lrelease into build/translations/talvena_LANG.qm beside the program
# and installed into share/talvena/translations/. The Russian texts in the code are the sources;
# Russian needs no catalogue.
#
# lupdate brings a catalogue up to date with the code and the resources (the target
# talvena_update_catalogues); the test catalogue_check fails while a text is untranslated or a
# translation is left over for a text that is gone.
set(TALVENA_QT_TOOL_HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec)
find_program(TALVENA_LRELEASE NAMES lrelease lrelease-qt6 HINTS ${TALVENA_QT_TOOL_HINTS} REQUIRED)
find_program(TALVENA_LUPDATE NAMES lupdate lupdate-qt6 HINTS ${TALVENA_QT_TOOL_HINTS})
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(TALVENA_LANGUAGES en)
set(TALVENA_CATALOGUE_FOLDER ${PROJECT_SOURCE_DIR}/resources/translations)
set(TALVENA_CATALOGUE_BUILD_FOLDER ${PROJECT_BINARY_DIR}/translations)

# The resources' texts as C++ for lupdate.
file(GLOB TALVENA_DIALOG_TEMPLATES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/dialogs/*.dlg)
set(TALVENA_RESOURCE_TEXTS ${TALVENA_CATALOGUE_BUILD_FOLDER}/resource_texts.cpp)
add_custom_command(OUTPUT ${TALVENA_RESOURCE_TEXTS}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/resource_texts.py
        ${TALVENA_RESOURCE_TEXTS} ${PROJECT_SOURCE_DIR}/resources/instruction.txt
        ${TALVENA_DIALOG_TEMPLATES}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/resource_texts.py
        ${PROJECT_SOURCE_DIR}/resources/instruction.txt ${TALVENA_DIALOG_TEMPLATES}
    VERBATIM)

# What lupdate reads: the layers that show texts, and the resources' texts.
set(TALVENA_LUPDATE_ARGUMENTS
    -silent -locations none -no-ui-lines -source-language ru
    -tr-function-alias QT_TRANSLATE_NOOP+=TRANSLATABLE
    ${PROJECT_SOURCE_DIR}/app ${PROJECT_SOURCE_DIR}/dialogs ${PROJECT_SOURCE_DIR}/framework
    ${PROJECT_SOURCE_DIR}/scripted ${PROJECT_SOURCE_DIR}/calendar ${PROJECT_SOURCE_DIR}/runtime
    ${PROJECT_SOURCE_DIR}/platform ${TALVENA_RESOURCE_TEXTS})

set(TALVENA_CATALOGUES "")
set(TALVENA_CATALOGUE_SOURCES "")
foreach(language ${TALVENA_LANGUAGES})
    set(source ${TALVENA_CATALOGUE_FOLDER}/talvena_${language}.ts)
    set(compiled ${TALVENA_CATALOGUE_BUILD_FOLDER}/talvena_${language}.qm)
    add_custom_command(OUTPUT ${compiled}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TALVENA_CATALOGUE_BUILD_FOLDER}
        COMMAND ${TALVENA_LRELEASE} -silent ${source} -qm ${compiled}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND TALVENA_CATALOGUES ${compiled})
    list(APPEND TALVENA_CATALOGUE_SOURCES ${source})
endforeach()
add_custom_target(talvena_catalogues ALL DEPENDS ${TALVENA_CATALOGUES} ${TALVENA_RESOURCE_TEXTS})
# The program and every test that runs it find the catalogues beside it.
add_dependencies(talvena talvena_catalogues)
install(FILES ${TALVENA_CATALOGUES} DESTINATION ${CMAKE_INSTALL_DATADIR}/talvena/translations)

if(TALVENA_LUPDATE)
    add_custom_target(talvena_update_catalogues
        COMMAND ${TALVENA_LUPDATE} ${TALVENA_LUPDATE_ARGUMENTS} -ts ${TALVENA_CATALOGUE_SOURCES}
        DEPENDS ${TALVENA_RESOURCE_TEXTS}
        COMMENT "Bringing the catalogues up to date with the code and the resources"
        VERBATIM)
endif()
