# TALVENA_LTO=ON builds every target with link-time optimisation, so that the drawing calls,
# which cross from the framework into the raster engine and between the libraries' files, can be
# inlined across them. It is off in every preset: measured with GCC 12 on two cores, it brought a
# pixel through gw_set_pixel_rgb from 8.4 to 6.9 times a direct write and a grating row through
# the line calls from 13.4 to 12.3 times (the calls' cost is their own work, not the crossing),
# while a clean normal build took about a quarter longer and the link-time passes raised GCC's
# -Wstringop-overflow and -Wstringop-overread false alarms on std::string. A compiler or linker
# without support is told of and builds without.
option(TALVENA_LTO "Link-time optimisation of every target" OFF)
if(NOT TALVENA_LTO)
    return()
endif()
include(CheckIPOSupported)
check_ipo_supported(RESULT TALVENA_LTO_SUPPORTED OUTPUT TALVENA_LTO_OUTPUT LANGUAGES C CXX)
if(NOT TALVENA_LTO_SUPPORTED)
    message(WARNING "TALVENA_LTO: link-time optimisation is not supported here, building without: "
                    "${TALVENA_LTO_OUTPUT}")
    return()
endif()
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
