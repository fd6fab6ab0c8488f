# Refills DEST with the TGA files of SOURCE no bigger than MAX_BYTES; a missing
# SOURCE leaves DEST empty, since the committed seeds are enough to run.
file(REMOVE_RECURSE ${DEST})
file(MAKE_DIRECTORY ${DEST})
file(GLOB pictures "${SOURCE}/*.tga")
foreach(picture ${pictures})
    file(SIZE ${picture} bytes)
    if(bytes LESS_EQUAL MAX_BYTES)
        file(COPY ${picture} DESTINATION ${DEST})
    endif()
endforeach()
