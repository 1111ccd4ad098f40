# The nineteen commands, each its own plug-in.
set(OVRIX_COMMANDS
  ovrix_init ovrix_close ovrix_config ovrix_setclockrate
  ovrix_getinfo ovrix_getspaceinfo ovrix_getbankinfo
  ovrix_read8 ovrix_read16 ovrix_read32 ovrix_write8 ovrix_write16 ovrix_write32
  ovrix_read8_dma ovrix_read16_dma ovrix_read32_dma
  ovrix_write8_dma ovrix_write16_dma ovrix_write32_dma)

# The card library the commands call: a real one when OVRIX_CARD_LIBRARY names
# it, else the virtual card.
function(ovrix_card_library out)
  if(OVRIX_CARD_LIBRARY)
    set(${out} ${OVRIX_CARD_LIBRARY} PARENT_SCOPE)
  else()
    set(${out} ovrix_vcard PARENT_SCOPE)
  endif()
endfunction()

# ovrix_command_library(<name> HOST_INCLUDE <dir>... [HOST_LIBS <lib>...])
# The gateway and every command compiled against one host's mex.h.
function(ovrix_command_library name)
  cmake_parse_arguments(ARG "" "" "HOST_INCLUDE;HOST_LIBS" ${ARGN})
  add_library(${name} STATIC ${OVRIX_GATEWAY_SOURCES} ${OVRIX_COMMAND_SOURCES})
  target_include_directories(${name} PUBLIC
    ${PROJECT_SOURCE_DIR}/gateway ${OVRIX_COMMAND_INCLUDE_DIRS} ${ARG_HOST_INCLUDE}
    ${OVRIX_CARD_INCLUDE_DIR})
  set_target_properties(${name} PROPERTIES C_VISIBILITY_PRESET hidden)
  ovrix_card_library(card)
  target_link_libraries(${name} PUBLIC ${card} ${ARG_HOST_LIBS} m)
  if(NOT WIN32)
    target_link_libraries(${name} PUBLIC ovrix_osevent)
  endif()
endfunction()
