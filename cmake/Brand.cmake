# The brand a program is built from: a folder of pictures, an icon and brand.ini (see AUTHORING.md,
# "Your product's look"). Whatever the folder leaves out is the sample product's.

set(DISCMENU_BRAND_DIR "" CACHE PATH
    "The brand folder Install.exe is built from; empty for the sample product's look")

# Writes brand.ini, Brand.rc.h and Install.manifest of the brand in `brand_dir` (empty for
# the sample's) into `out_dir` now, at configure time, and again whenever its brand.ini changes.
function(discmenu_configure_brand brand_dir out_dir)
    set(ini "")
    if(brand_dir)
        if(NOT IS_DIRECTORY "${brand_dir}")
            message(FATAL_ERROR "DISCMENU_BRAND_DIR: ${brand_dir} is not a folder")
        endif()
        set(ini "${brand_dir}/brand.ini")
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DDEFAULTS=${PROJECT_SOURCE_DIR}/res/brand.ini
                -DBRAND_INI=${ini} -DMANIFEST=${PROJECT_SOURCE_DIR}/res/Install.manifest
                -DOUT_DIR=${out_dir} -P ${PROJECT_SOURCE_DIR}/cmake/ConfigureBrand.cmake
        RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "the brand in ${brand_dir} could not be read")
    endif()
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/res/brand.ini ${PROJECT_SOURCE_DIR}/res/Install.manifest
        ${PROJECT_SOURCE_DIR}/cmake/ConfigureBrand.cmake)
    if(ini AND EXISTS "${ini}")
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                     ${ini})
    endif()
endfunction()

# The same at build time, for a brand folder that the build itself writes: the command that
# writes them into `out_dir`, once `brand_ini` is there.
function(discmenu_brand_command brand_ini out_dir)
    add_custom_command(
        OUTPUT ${out_dir}/brand.ini ${out_dir}/Brand.rc.h ${out_dir}/Install.manifest
        COMMAND ${CMAKE_COMMAND} -DDEFAULTS=${PROJECT_SOURCE_DIR}/res/brand.ini
                -DBRAND_INI=${brand_ini} -DMANIFEST=${PROJECT_SOURCE_DIR}/res/Install.manifest
                -DOUT_DIR=${out_dir} -P ${PROJECT_SOURCE_DIR}/cmake/ConfigureBrand.cmake
        DEPENDS ${brand_ini} ${PROJECT_SOURCE_DIR}/res/brand.ini
                ${PROJECT_SOURCE_DIR}/res/Install.manifest
                ${PROJECT_SOURCE_DIR}/cmake/ConfigureBrand.cmake
        COMMENT "Reading the brand ${brand_ini}"
        VERBATIM)
endfunction()

# Writes SampleBrand.inc into `out_dir`: the sample product's res/brand.ini as a C++ string
# literal, which every program carries as the brand it reads its own over (res/Brand.cpp).
function(discmenu_sample_brand_text out_dir)
    file(READ ${PROJECT_SOURCE_DIR}/res/brand.ini sample)
    if(sample MATCHES "\\)ini\"")
        message(FATAL_ERROR "res/brand.ini holds the end of the literal it is written into")
    endif()
    file(CONFIGURE OUTPUT ${out_dir}/SampleBrand.inc @ONLY CONTENT
"// The sample product's brand.ini (res/brand.ini), written by cmake/Brand.cmake.
constexpr char kSampleBrandIni[] = R\"ini(@sample@)ini\";
")
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${PROJECT_SOURCE_DIR}/res/brand.ini)
endfunction()
