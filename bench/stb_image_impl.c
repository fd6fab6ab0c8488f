// stb_image's TGA reader, built with the same optimisation as our own for a fair race.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#include <stb/stb_image.h>
