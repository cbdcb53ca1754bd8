# The skin the program carries: the engine library's bytes and the packed skin data, as the
# resources :/skin/skinLibraryBytes and :/skin/skinData. rcc runs here rather than through
# qt_add_resources because one of the files is another target's output, known only at build time.
# The code that reads them registers them itself (Q_INIT_RESOURCE(vintrale_skin)).

set(skin_source ${CMAKE_CURRENT_SOURCE_DIR}/skin/vintrale.qss)
set(skin_data ${CMAKE_CURRENT_BINARY_DIR}/skin/vintrale.she)
add_custom_command(OUTPUT ${skin_data}
    COMMAND vintrale_pack_skin ${skin_source} ${skin_data}
    DEPENDS vintrale_pack_skin ${skin_source}
    COMMENT "Packing the skin"
    VERBATIM)

set(skin_qrc ${CMAKE_CURRENT_BINARY_DIR}/skin/vintrale_skin.qrc)
file(GENERATE OUTPUT ${skin_qrc} CONTENT
"<!DOCTYPE RCC><RCC version=\"1.0\">
<qresource prefix=\"/skin\">
    <file alias=\"skinLibraryBytes\">$<TARGET_FILE:vintrale_skin></file>
    <file alias=\"skinData\">${skin_data}</file>
</qresource>
</RCC>
")

set(skin_qrc_source ${CMAKE_CURRENT_BINARY_DIR}/skin/qrc_vintrale_skin.cpp)
add_custom_command(OUTPUT ${skin_qrc_source}
    COMMAND Qt6::rcc --name vintrale_skin --no-compress --output ${skin_qrc_source} ${skin_qrc}
    DEPENDS vintrale_skin ${skin_data} ${skin_qrc} Qt6::rcc
    COMMENT "Embedding the skin engine and the skin"
    VERBATIM)

add_library(vintrale_skin_resources STATIC ${skin_qrc_source})
target_link_libraries(vintrale_skin_resources PUBLIC Qt6::Core)
set_target_properties(vintrale_skin_resources PROPERTIES AUTOMOC OFF)
vintrale_target_defaults(vintrale_skin_resources)
