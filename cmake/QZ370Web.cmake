# A program on the library as a web page, built with emcmake: PROGRAM.js and
# PROGRAM.wasm beside the page's own HTML. The program keeps its blocking
# waits: ASYNCIFY keeps its stack while the browser runs, and only the wait
# sleeps.
# Win32 keeps the lowest 64 KiB of addresses unused, so that a class atom or
# a resource number is told from a pointer to a name: so does the page.
set(QZ370_WEB_LOW_ADDRESSES_UNUSED -sGLOBAL_BASE=65536)
set(QZ370_WEB_LINK_OPTIONS
    ${QZ370_WEB_LOW_ADDRESSES_UNUSED}
    -sASYNCIFY=1
    "-sASYNCIFY_IMPORTS=['qz370_page_wait']"
    -sEXIT_RUNTIME=1
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web,node
    "-sEXPORTED_RUNTIME_METHODS=['FS','ENV','addRunDependency','removeRunDependency']"
    -sFORCE_FILESYSTEM=1)

# ASYNCIFY lets any function that may stand on the stack while the page
# sleeps unwind and resume, at a cost in size and speed wherever it cannot
# tell: in any function that calls through a pointer, and in its callers.
# These never wait, so are left as compiled (a wrong name here breaks the
# page at run time, the first time it sleeps under that code):
#   the rasteriser and the glyph renderer, a library of their own below the
#     window system: pixels and FreeType only, and their pointers to shape
#     drawers lead to more of the same;
#   FreeType, whose pointers lead to its own modules and to malloc;
#   operator new, whose one pointer is the new-handler, which nothing sets;
#   the C++ runtime's type checks, virtual calls among type_info classes.
# Calls through pointers as such cannot be let go: a window procedure, a
# hook or a display's operation may reach the wait (a menu command opens a
# dialog, whose loop waits).
set(QZ370_WEB_NEVER_WAITING
    qz370::raster::* qz370::fonts::*
    FT_* ft_* tt_* TT_* cff_* cf2_* af_* ps_* t1_* T1_* t42_* T42_* pfr_* sfnt_* cid_* psh_* raccess_*
    sdf_* bsdf_* afm_* bdf_* BDF_* pcf_* PCF_* fnt_* FNT_* gray_*
    operator.new* __cxxabiv1::* __dynamic_cast)
list(JOIN QZ370_WEB_NEVER_WAITING "','" QZ370_WEB_NEVER_WAITING_LIST)
list(APPEND QZ370_WEB_LINK_OPTIONS "-sASYNCIFY_REMOVE=['${QZ370_WEB_NEVER_WAITING_LIST}']")

set(QZ370_WEB_PAGE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/qz370_page.html.in)
# The page's script that shows the windows and hands on the user's input:
# beside this file once installed, in the sources before.
set(QZ370_WEB_PAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/web_page.js)
if(NOT EXISTS ${QZ370_WEB_PAGE_SCRIPT})
  set(QZ370_WEB_PAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../platform/display/web/web_page.js)
endif()

# Makes target (an executable with WinMain) a page: PAGE.html (PAGE is the
# target's name unless given), with PAGE.js and PAGE.wasm beside it.
function(qz370_web_page target)
  set(page ${target})
  if(ARGC GREATER 1)
    set(page ${ARGV1})
  endif()
  target_link_options(${target} PRIVATE ${QZ370_WEB_LINK_OPTIONS} "SHELL:--js-library ${QZ370_WEB_PAGE_SCRIPT}")
  set_target_properties(${target} PROPERTIES SUFFIX .js)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${QZ370_WEB_PAGE_SCRIPT})
  set(QZ370_PAGE_TITLE ${target})
  set(QZ370_PAGE_SCRIPT ${target}.js)
  configure_file(${QZ370_WEB_PAGE_TEMPLATE} ${CMAKE_CURRENT_BINARY_DIR}/${page}.html @ONLY)
endfunction()
