# Builds the package with wixl, run by the build as a script:
#   cmake -DWINDRES=... -DWIXL=... -DMSIBUILD=... -DMSIINFO=... -DAWK=... -DDLL=... -DICON=... -DWXS=VornTiloOnline.wxs
#         -DREGISTRATION=registration.lst -DAWK_SCRIPT=registration-wix.awk
#         -DMODULE_PATH='C:\...\VornTiloOnline.dll' -DSTAGE=DIR -DOUTPUT_DIR=DIR
#         -DSTAMP=FILE -DFAKETIME=faketime [-DVERSION_STEP=1] [-DSIGN=sign.sh] -P BuildPackage.cmake
# The package is OUTPUT_DIR/VornTiloOnline-VERSION.msi, VERSION being the
# DLL's own FILEVERSION (VERSION_STEP=1 raises its third field: the newer
# package that the upgrade test installs over the real one). The
# ProductCode is derived from the UpgradeCode and the version: a package of
# one version is always the same product, so installing it again changes
# nothing, and every version is another product, which MajorUpgrade replaces.
# The Windows Installer compares only the first three fields of a version,
# so a FILEVERSION whose fourth field is not 0 is refused: such a package
# would install beside the one it means to replace.
# With SIGN, the DLL put into the package and then the package are signed
# by that script (scripts/sign.sh: signed when the environment names a
# certificate, left unsigned with a notice otherwise). The build's own DLL
# stays unsigned. The package code is derived from the package's contents,
# and with SOURCE_DATE_EPOCH the files in its cabinet carry that time and
# wixl and msibuild run under faketime at that time (they read no
# SOURCE_DATE_EPOCH, and write the clock's time into the summary
# information), so that two builds of one commit give the same package.
# STAMP gets the package's path; the SHA-256 of what was made is printed.
cmake_minimum_required(VERSION 3.20)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_VARIABLE output)
    if(NOT status EQUAL 0)
        list(GET ARGN 0 program)
        message(FATAL_ERROR "${program} failed (${status}):\n${errors}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

run(${WINDRES} -i ${DLL} -O rc)
if(NOT output MATCHES "\n FILEVERSION ([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+)")
    message(FATAL_ERROR "${DLL} has no FILEVERSION in its version resource")
endif()
set(file_version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${CMAKE_MATCH_3}.${CMAKE_MATCH_4})
if(NOT CMAKE_MATCH_4 EQUAL 0)
    message(FATAL_ERROR "${DLL} has the version ${file_version}: the Windows Installer compares only the "
                        "first three fields, so a new package must raise one of those (the fourth stays 0)")
endif()
set(build ${CMAKE_MATCH_3})
if(VERSION_STEP)
    math(EXPR build "${build} + ${VERSION_STEP}")
endif()
set(version ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${build}.${CMAKE_MATCH_4})
if(NOT output MATCHES "VALUE \"Translation\", *0x([0-9A-Fa-f]+)")
    message(FATAL_ERROR "${DLL} has no Translation in its version resource")
endif()
math(EXPR file_language "0x${CMAKE_MATCH_1}")

file(READ ${WXS} source)
if(NOT source MATCHES "UpgradeCode=\"([0-9A-Fa-f-]+)\"")
    message(FATAL_ERROR "${WXS} names no UpgradeCode")
endif()
string(UUID product_code NAMESPACE ${CMAKE_MATCH_1} NAME ${version} TYPE SHA1 UPPER)

# wixl finds files by relative names only: the DLL, the icon and the
# registry entries are put beside each other.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${DLL} ${ICON} DESTINATION ${STAGE})
get_filename_component(dll_name ${DLL} NAME)
get_filename_component(icon_name ${ICON} NAME)
run(${AWK} -v "module=${MODULE_PATH}" -v "file_id=${dll_name}" -f ${AWK_SCRIPT} ${REGISTRATION})
file(WRITE ${STAGE}/registration.wxi "${output}")
set(at_commit_time)
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    run(touch -d @$ENV{SOURCE_DATE_EPOCH} ${STAGE}/${dll_name} ${STAGE}/${icon_name})
    string(TIMESTAMP commit_time "%Y-%m-%d %H:%M:%S" UTC)
    set(at_commit_time env TZ=UTC ${FAKETIME} ${commit_time})
endif()
if(SIGN)
    run(${SIGN} ${STAGE}/${dll_name})
    string(STRIP "${output}" output)
    message(STATUS "${output}")
endif()
set(contents ${version})
foreach(part ${WXS} ${STAGE}/${dll_name} ${STAGE}/${icon_name} ${STAGE}/registration.wxi)
    file(SHA256 ${part} hash)
    string(APPEND contents " ${hash}")
endforeach()
string(UUID package_code NAMESPACE ${product_code} NAME "${contents}" TYPE SHA1 UPPER)

file(MAKE_DIRECTORY ${OUTPUT_DIR})
set(package ${OUTPUT_DIR}/VornTiloOnline-${version}.msi)
execute_process(COMMAND ${at_commit_time} ${WIXL} -a x86 -D Version=${version} -D ProductCode=${product_code}
                    -D ComponentFile=${dll_name} -D IconFile=${icon_name} -o ${package} ${WXS}
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS ${package})
    file(REMOVE ${package})
    message(FATAL_ERROR "wixl failed (${status}):\n${errors}")
endif()
# wixl records the DLL as an unversioned file, and the Installer never
# replaces a versioned file on disk (one copied there by hand) with an
# unversioned one. The file table gets the DLL's own version and language;
# a versioned file has no hash. wixl makes up a new package code each time;
# msibuild sets the summary information again with the derived one, keeping
# what wixl wrote of the rest.
execute_process(COMMAND ${MSIINFO} suminfo ${package} OUTPUT_VARIABLE summary RESULT_VARIABLE status)
foreach(field Subject Author Template)
    if(NOT status EQUAL 0 OR NOT summary MATCHES "\n${field}: ([^\n]*)")
        file(REMOVE ${package})
        message(FATAL_ERROR "msiinfo found no ${field} in the summary information of ${package}")
    endif()
    set(summary_${field} "${CMAKE_MATCH_1}")
endforeach()
execute_process(COMMAND ${at_commit_time} ${MSIBUILD} ${package}
                    -q "UPDATE `File` SET `Version` = '${file_version}', `Language` = '${file_language}' WHERE `File` = '${dll_name}'"
                    -q "DELETE FROM `MsiFileHash` WHERE `File_` = '${dll_name}'"
                    -s "${summary_Subject}" "${summary_Author}" "${summary_Template}" "{${package_code}}"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    file(REMOVE ${package})
    message(FATAL_ERROR "msibuild failed (${status}):\n${errors}")
endif()
# The package is signed when its DLL was.
file(SHA256 ${DLL} built_hash)
file(SHA256 ${STAGE}/${dll_name} packaged_hash)
if(NOT packaged_hash STREQUAL built_hash)
    execute_process(COMMAND ${SIGN} ${package} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        file(REMOVE ${package})
        message(FATAL_ERROR "signing ${package} failed:\n${errors}")
    endif()
    string(STRIP "${output}" output)
    message(STATUS "${output}")
    message(STATUS "SHA-256 ${packaged_hash}  ${dll_name} in the package, signed")
endif()
file(SHA256 ${package} hash)
message(STATUS "SHA-256 ${built_hash}  ${DLL}")
message(STATUS "SHA-256 ${hash}  ${package}")
file(WRITE ${STAMP} "${package}\n")
