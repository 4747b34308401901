# Writes what the program's resources take from a brand folder's brand.ini, each value the brand
# leaves out taken from the sample product's res/brand.ini, after checking the values the build
# cannot do without:
#   OUT_DIR/brand.ini         the brand's brand.ini as it stands (the sample's where it has none),
#                             for the program's BRAND resource
#   OUT_DIR/Brand.rc.h        the product and company, for the version resource and About box
#   OUT_DIR/Install.manifest  res/Install.manifest with the product's identity and description
# A file is written only when its text changes, so that nothing is rebuilt for nothing.
# Run as a script: cmake -DDEFAULTS=res/brand.ini [-DBRAND_INI=dir/brand.ini]
#   -DMANIFEST=res/Install.manifest -DOUT_DIR=dir -P ConfigureBrand.cmake

# The values of an INI file as variables ini_<section>_<key>, names in lower case: blanks around
# names and values dropped, one pair of quotes around a value removed, the first of a name kept.
function(read_ini file prefix)
    file(STRINGS "${file}" lines ENCODING UTF-8)
    set(section "")
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line MATCHES "^\\[([^]]*)\\]")
            string(STRIP "${CMAKE_MATCH_1}" section)
            string(TOLOWER "${section}" section)
        elseif(line MATCHES "^([^=]*)=(.*)$")
            string(STRIP "${CMAKE_MATCH_1}" key)
            string(STRIP "${CMAKE_MATCH_2}" value)
            string(TOLOWER "${key}" key)
            if(value MATCHES "^\"(.*)\"$" OR value MATCHES "^'(.*)'$")
                set(value "${CMAKE_MATCH_1}")
            endif()
            if(NOT DEFINED ${prefix}_${section}_${key})
                set(${prefix}_${section}_${key} "${value}" PARENT_SCOPE)
                set(${prefix}_${section}_${key} "${value}")
            endif()
        endif()
    endforeach()
endfunction()

read_ini("${DEFAULTS}" default)
if(BRAND_INI AND EXISTS "${BRAND_INI}")
    read_ini("${BRAND_INI}" brand)
endif()

# A brand that names its own first language key reads that key alone, unless it names a second.
if(NOT "${brand_registry_languagekey}" STREQUAL "" AND NOT DEFINED brand_registry_languagekey2)
    set(brand_registry_languagekey2 "")
endif()

foreach(name IN ITEMS product_name product_company registry_installkey registry_foldervalue
                      registry_versionkey registry_version registry_languagekey registry_view)
    if(NOT "${brand_${name}}" STREQUAL "")
        set(${name} "${brand_${name}}")
    else()
        set(${name} "${default_${name}}")
    endif()
endforeach()
if(DEFINED brand_registry_languagekey2)
    set(registry_languagekey2 "${brand_registry_languagekey2}")
else()
    set(registry_languagekey2 "${default_registry_languagekey2}")
endif()

foreach(name IN ITEMS product_name product_company)
    if(NOT "${${name}}" MATCHES "^[ -~]+$" OR "${${name}}" MATCHES "[\"\\<>&]")
        message(FATAL_ERROR "brand.ini: \"${${name}}\" cannot stand in the program's resources "
                            "(discmenu-check --brand tells why)")
    endif()
endforeach()

# The registry views of the product's keys: both (empty), or "64" or "32" alone.
string(TOLOWER "${registry_view}" registry_view)
if(registry_view STREQUAL "both")
    set(registry_view "")
endif()
if(NOT registry_view MATCHES "^(|64|32)$")
    message(FATAL_ERROR "brand.ini: View=\"${registry_view}\" names no registry view: leave it "
                        "empty for both, or give 64 or 32 (discmenu-check --brand tells why)")
endif()

file(CONFIGURE OUTPUT "${OUT_DIR}/Brand.rc.h" @ONLY CONTENT
"// The product and its company, written from brand.ini by cmake/ConfigureBrand.cmake.
#define DISCMENU_COMPANY \"${product_company}\"
#define DISCMENU_PRODUCT \"${product_name}\"
#define DISCMENU_DESCRIPTION \"${product_name} installation disc menu\"
#define DISCMENU_LEGAL_COPYRIGHT \"Copyright (C) ${product_company}. All rights reserved.\"
")

# The colours of the page's texts, each "#RRGGBB".
foreach(name IN ITEMS entrytext entryhottext helptext labeltext)
    if(NOT "${brand_colours_${name}}" STREQUAL "")
        set(colour "${brand_colours_${name}}")
    else()
        set(colour "${default_colours_${name}}")
    endif()
    if(NOT colour MATCHES "^#[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]$")
        message(FATAL_ERROR "brand.ini: [Colours] \"${colour}\" is no colour: write #RRGGBB "
                            "(discmenu-check --brand tells which)")
    endif()
endforeach()

# The program carries the brand's brand.ini verbatim (resource BRAND), the sample's where the
# brand has none, and reads its names, keys and colours from it at start (res/Brand.h).
if(BRAND_INI AND EXISTS "${BRAND_INI}")
    configure_file("${BRAND_INI}" "${OUT_DIR}/brand.ini" COPYONLY)
else()
    configure_file("${DEFAULTS}" "${OUT_DIR}/brand.ini" COPYONLY)
endif()

# The manifest's identity: company and product by their letters and digits.
string(REGEX REPLACE "[^A-Za-z0-9]" "" company_id "${product_company}")
string(REGEX REPLACE "[^A-Za-z0-9]" "" product_id "${product_name}")
file(READ "${MANIFEST}" manifest)
string(REGEX REPLACE "name=\"[^\"]*\\.Install\"" "name=\"${company_id}.${product_id}.Install\""
       manifest "${manifest}")
string(REGEX REPLACE "<description>[^<]*</description>"
       "<description>${product_name} installation disc menu</description>" manifest "${manifest}")
file(CONFIGURE OUTPUT "${OUT_DIR}/Install.manifest" CONTENT "${manifest}" @ONLY)
