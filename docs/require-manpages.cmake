# Run by CPack on the staged install before it builds the package: a build
# configured without help2man has no manual pages, and a package without them
# is not one to ship.
foreach(program IN ITEMS duplink duplink-sim duplink-record)
    file(GLOB_RECURSE page "${CPACK_TEMPORARY_DIRECTORY}/${program}.1.gz")
    if(NOT page MATCHES "/man1/${program}\\.1\\.gz$")
        message(FATAL_ERROR "The package has no manual page ${program}(1): this build was configured "
            "without help2man. Run scripts/install-deps.sh (or: apt install help2man), configure "
            "again and build, then package.")
    endif()
endforeach()
