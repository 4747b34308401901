# Writes the stored form of the picture NAME into OUTPUT with the encoder ENCODER: the brand
# folder's file (BRAND_DIR/NAME) where it has one, else the sample art's (SAMPLE_DIR/NAME).
# Chosen when the build runs, as a brand folder may itself be written by the build.
#   cmake -DENCODER=... -DBRAND_DIR=... -DSAMPLE_DIR=... -DNAME=... -DOUTPUT=... -P StorePicture.cmake
if(BRAND_DIR AND EXISTS "${BRAND_DIR}/${NAME}")
    set(picture "${BRAND_DIR}/${NAME}")
else()
    set(picture "${SAMPLE_DIR}/${NAME}")
endif()
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND "${ENCODER}" "${picture}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${picture} could not be stored")
endif()
