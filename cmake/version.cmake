# Writes prnset_version.h, the one header that carries the project's version and the vendor's texts to the resource
# script and to the tool. The texts go into both a resource script and C++ as they are, so a quotation mark or a
# backslash, which the two would read differently, is refused here rather than mangled there.
foreach(field PRNSET_COMPANY_NAME PRNSET_LEGAL_COPYRIGHT PRNSET_PRODUCT_NAME PRNSET_PRODUCT_NAME_CN
              PRNSET_FILE_DESCRIPTION PRNSET_FILE_DESCRIPTION_CN)
  if("${${field}}" MATCHES "[\"\\\\]")
    message(FATAL_ERROR "${field} may not contain a quotation mark or a backslash: ${${field}}")
  endif()
  string(LENGTH "${${field}}" length)
  if(length GREATER 200)
    message(FATAL_ERROR "${field} is longer than 200 characters")
  endif()
endforeach()
# The DLL's name lands in the INF, the plug-in configuration and the version resource: letters, digits, "_" and "-"
# only, which every one of them takes as it is.
if(NOT PRNSET_DLL_NAME MATCHES "^[A-Za-z0-9_-]+$")
  message(FATAL_ERROR "PRNSET_DLL_NAME takes letters, digits, _ and - only, without .dll: '${PRNSET_DLL_NAME}'")
endif()
string(LENGTH "${PRNSET_DLL_NAME}" length)
if(length GREATER 64)
  message(FATAL_ERROR "PRNSET_DLL_NAME is longer than 64 characters")
endif()
if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "the project version must have three parts, MAJOR.MINOR.PATCH: ${PROJECT_VERSION}")
endif()
foreach(part MAJOR MINOR PATCH)
  if(PROJECT_VERSION_${part} GREATER 65535)
    message(FATAL_ERROR "version part ${part} (${PROJECT_VERSION_${part}}) does not fit the version resource")
  endif()
endforeach()
set(PRNSET_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/prnset_version.h.in ${PRNSET_GENERATED_DIR}/prnset_version.h @ONLY)
add_library(prnset_version INTERFACE)
target_include_directories(prnset_version INTERFACE ${PRNSET_GENERATED_DIR})
