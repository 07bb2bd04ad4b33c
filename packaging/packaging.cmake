# What `cmake --install` puts where, in two components, and how CPack makes
# packages of them:
#   program  score-rank, its manual page, bash completion, README and license
#            (Debian package score-rank; on Windows, the zip)
#   library  the sorts' static library, header, CMake package files and
#            pkg-config file (Debian package score-rank-dev)
include(CMakePackageConfigHelpers)

option(SCORE_RANK_PACKAGE
       "Require what the packages need: mandoc, for the Windows zip's manual"
       OFF)
option(SCORE_RANK_DEBIAN_LAYOUT
       "Install as a Debian package lays files out: a gzipped manual page, and a copyright file and changelog.gz beside each package's documentation"
       OFF)
set(SCORE_RANK_MAINTAINER "score-rank maintainers <maintainers@score-rank.invalid>"
    CACHE STRING "Maintainer named in the Debian packages")

# A Windows download is one folder: the program beside its README, license
# and manual.
if(WIN32)
  set(program_dir .)
  set(doc_dir .)
else()
  set(program_dir ${CMAKE_INSTALL_BINDIR})
  set(doc_dir ${CMAKE_INSTALL_DOCDIR})
endif()
install(TARGETS score-rank RUNTIME DESTINATION ${program_dir}
        COMPONENT program)
if(NOT WIN32)
  install(FILES README.md DESTINATION ${doc_dir} COMPONENT program)
  install(FILES packaging/score-rank.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME score-rank COMPONENT program)
endif()

set(page ${PROJECT_BINARY_DIR}/score-rank.1)
configure_file(src/score-rank.1.in ${page} @ONLY)
if(SCORE_RANK_DEBIAN_LAYOUT)
  # Debian compresses manual pages and changelogs with gzip -9n: no name, no
  # time stamp, so that the bytes depend on the text alone.
  set(changelog ${PROJECT_BINARY_DIR}/changelog)
  configure_file(packaging/changelog.in ${changelog} @ONLY)
  add_custom_command(OUTPUT ${page}.gz ${changelog}.gz
    COMMAND gzip -9nkf ${page} ${changelog}
    DEPENDS ${page} ${changelog}
    COMMENT "Compressing the manual page and the changelog")
  add_custom_target(debian_docs ALL DEPENDS ${page}.gz ${changelog}.gz)
  set(page ${page}.gz)
  # The copyright file in Debian's machine-readable format, with the terms
  # taken from LICENSE: indented, each blank line a lone dot.
  file(READ LICENSE license)
  string(REGEX REPLACE "^.*\n(Permission )" "\\1" license "${license}")
  string(STRIP "${license}" license)
  string(REPLACE "\n\n" "\n.\n" license " ${license}")
  string(REPLACE "\n" "\n " license "${license}")
  configure_file(packaging/copyright.in copyright @ONLY)
  set(copyright ${PROJECT_BINARY_DIR}/copyright)
  install(FILES ${copyright} ${changelog}.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT program)
  install(FILES ${copyright} ${changelog}.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR}-dev COMPONENT library)
elseif(WIN32)
  # The Windows user's README, the license and the manual as Windows text;
  # mandoc makes the manual's, and a test build does without it.
  if(SCORE_RANK_PACKAGE)
    find_program(MANDOC mandoc REQUIRED)
  else()
    find_program(MANDOC mandoc)
  endif()
  set(script -P ${PROJECT_SOURCE_DIR}/packaging/windows-text.cmake)
  set(text ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt)
  set(commands
    COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/packaging/README.txt
            -DOUTPUT=${PROJECT_BINARY_DIR}/README.txt ${script}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/LICENSE
            -DOUTPUT=${PROJECT_BINARY_DIR}/LICENSE.txt ${script})
  if(MANDOC)
    list(APPEND text ${PROJECT_BINARY_DIR}/score-rank.txt)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -DMANDOC=${MANDOC} -DINPUT=${page}
              "-DOS=score-rank ${PROJECT_VERSION}"
              -DOUTPUT=${PROJECT_BINARY_DIR}/score-rank.txt ${script})
  else()
    message(STATUS "mandoc not found: the build makes no score-rank.txt "
            "(Debian package mandoc; the package presets require it)")
  endif()
  add_custom_command(OUTPUT ${text} ${commands}
    DEPENDS packaging/README.txt LICENSE ${page} packaging/windows-text.cmake
    COMMENT "Writing the README, the license and the manual as Windows text")
  add_custom_target(windows_text ALL DEPENDS ${text})
  install(FILES ${text} DESTINATION . COMPONENT program)
else()
  install(FILES LICENSE DESTINATION ${doc_dir} COMPONENT program)
endif()
if(NOT WIN32)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT program)
endif()

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/score-rank)
install(TARGETS data_sort EXPORT score-rank-targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library)
install(FILES src/data_sort.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/score-rank COMPONENT library)
install(EXPORT score-rank-targets NAMESPACE score-rank::
        FILE score-rank-config.cmake DESTINATION ${config_dir}
        COMPONENT library)
write_basic_package_version_file(score-rank-config-version.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/score-rank-config-version.cmake
        DESTINATION ${config_dir} COMPONENT library)

# The pkg-config file, for builds without CMake.  It names the prefix the
# files are installed under, which is known only when they are installed.
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  set(PROJECT_DESCRIPTION \"${PROJECT_DESCRIPTION}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/score-rank.pc.in\"
                 \"${PROJECT_BINARY_DIR}/score-rank.pc\" @ONLY)"
  COMPONENT library)
install(FILES ${PROJECT_BINARY_DIR}/score-rank.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT library)

# Packages.  The package presets choose the generator: DEB on Linux, ZIP for
# Windows.
set(CPACK_PACKAGE_VENDOR "The score-rank authors")
set(CPACK_PACKAGE_CONTACT "${SCORE_RANK_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
if(WIN32)
  # The zip holds the program alone.
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL program)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
else()
  set(CPACK_COMPONENTS_ALL program library)
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
# Each package's description below starts with its own one-line summary; with
# no general summary, CPack puts none in front of them.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
if(DEB_HOST_ARCH)
  # A cross build: the packages are for the target, not the build machine.
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DEB_HOST_ARCH})
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME score-rank)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "${PROJECT_DESCRIPTION}
score-rank reads whole-number scores from a FILE operand or standard input,
up to the first negative number or the end of the input, says how many it
read and lists them from highest to lowest. Of more than 40 scores it lists
the 40 highest and counts the others. A word that is not a score is left out
with a notice on standard error that says where it stands and what is wrong
with it.")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME score-rank-dev)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "descending sorts of score tables from score-rank
The sorts that score-rank uses, as a static library for other programs:
DataSortExchange sorts a table of int scores from highest to lowest in place,
and DataSortSelection does the same while moving a companion table of long
numbers along with the scores. The package has the header
<score-rank/data_sort.h> and CMake package files, so that a CMake project uses
find_package(score-rank) and links to score-rank::data_sort.")

# After each package, the release's files: the packages, the source
# tarball, the Windows package managers' manifests and SHA256SUMS, in one
# folder that the package presets share.
set(SCORE_RANK_RELEASES "${PROJECT_HOMEPAGE_URL}/releases" CACHE STRING
    "Where the release's files are served, each release's in a folder vVERSION")
set(SCORE_RANK_RELEASE_DIR "${PROJECT_BINARY_DIR}/release-files" CACHE PATH
    "Folder of the release's files")
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/release.cmake)
set(CPACK_SCORE_RANK_RELEASE_DIR ${SCORE_RANK_RELEASE_DIR})
set(CPACK_SCORE_RANK_RELEASES ${SCORE_RANK_RELEASES})
set(CPACK_SCORE_RANK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_SCORE_RANK_SUMMARY ${FILE_DESCRIPTION})
include(CPack)
