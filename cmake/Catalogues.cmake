# The languages of the windows' texts besides the game's Japanese: one GNU gettext catalogue a
# language, po/<language>.po. A new file there is a new language at the next configure.
file(GLOB MOJARA_CATALOGUE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
list(SORT MOJARA_CATALOGUE_FILES)
set(MOJARA_CATALOGUE_LANGUAGES "")
foreach(po IN LISTS MOJARA_CATALOGUE_FILES)
  get_filename_component(language ${po} NAME_WE)
  list(APPEND MOJARA_CATALOGUE_LANGUAGES ${language})
endforeach()
# For the program: "en,fr".
string(REPLACE ";" "," MOJARA_CATALOGUE_LANGUAGES_TEXT "${MOJARA_CATALOGUE_LANGUAGES}")
# Where the compiled catalogues sit beside the programs: bin/locale/<language>/LC_MESSAGES/mojara.mo.
set(MOJARA_LOCALE_DIR ${MOJARA_BIN_DIR}/locale)
set(MOJARA_TEXT_DOMAIN mojara)
