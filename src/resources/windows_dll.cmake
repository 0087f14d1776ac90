# The Windows form of the driver library: R7TESS32.DLL (i686) or R7TESS64.DLL (x86_64),
# exporting R7DLLInterface and DLLCleanupFunc under their plain names, with the string
# table and version information as resources. Linked statically so that it imports only
# system DLLs: the add-in's machine has no MinGW runtime.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(r7_dll_name R7TESS64)
else()
  set(r7_dll_name R7TESS32)
endif()

enable_language(RC)
set(r7_resources ${CMAKE_CURRENT_LIST_DIR})
file(GLOB r7_dialog_sources CONFIGURE_DEPENDS ${r7_resources}/dialogs/*.inc ${r7_resources}/*_ids.h)
target_sources(r7driver PRIVATE ${r7_resources}/r7driver.def ${r7_resources}/r7driver.rc)
set_source_files_properties(${r7_resources}/r7driver.rc PROPERTIES
  COMPILE_DEFINITIONS R7_DLL_NAME=${r7_dll_name}
  OBJECT_DEPENDS "${r7_resources}/strings.inc;${r7_resources}/menu_ids.h;${r7_resources}/dialog_rc.h;${r7_dialog_sources}")
set_target_properties(r7driver PROPERTIES PREFIX "" OUTPUT_NAME ${r7_dll_name} SUFFIX ".DLL")
# The exports are __stdcall without dllexport; the stdcall fixup lets the .def file's plain
# names bind to the decorated i686 symbols (_R7DLLInterface@12) without a warning.
target_link_options(r7driver PRIVATE -static -Wl,--enable-stdcall-fixup)

# The Drill button's two faces, drawn at build time from the glyph of bitmaps/ with
# netpbm's ppmtobmp. Without ppmtobmp the DLL is built without them and the button shows
# an empty face.
find_program(R7_PPMTOBMP ppmtobmp)
if(R7_PPMTOBMP)
  set(r7_bitmap_dir ${CMAKE_CURRENT_BINARY_DIR}/drill_bitmaps)
  set(r7_drill_bitmaps)
  foreach(face up down)
    set(bitmap ${r7_bitmap_dir}/drill_${face}.bmp)
    add_custom_command(OUTPUT ${bitmap}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${r7_bitmap_dir}
      COMMAND ${CMAKE_COMMAND} -DFACE=${face} -DGLYPH=${r7_resources}/bitmaps/drill_button.txt
              -DPPM=${r7_bitmap_dir}/drill_${face}.ppm -DBMP=${bitmap} -DPPMTOBMP=${R7_PPMTOBMP}
              -P ${r7_resources}/button_bitmap.cmake
      DEPENDS ${r7_resources}/button_bitmap.cmake ${r7_resources}/bitmaps/drill_button.txt
      COMMENT "Drawing the Drill button's ${face} face" VERBATIM)
    list(APPEND r7_drill_bitmaps ${bitmap})
  endforeach()
  target_sources(r7driver PRIVATE ${r7_drill_bitmaps})
  target_include_directories(r7driver PRIVATE ${r7_bitmap_dir})
  set_property(SOURCE ${r7_resources}/r7driver.rc APPEND PROPERTY COMPILE_DEFINITIONS
               R7_DRILL_BITMAPS)
  set_property(SOURCE ${r7_resources}/r7driver.rc APPEND PROPERTY OBJECT_DEPENDS
               ${r7_drill_bitmaps})
else()
  message(STATUS "ppmtobmp (netpbm) not found: the Drill button's bitmaps are left out")
endif()
