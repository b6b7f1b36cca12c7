/* The baseline for adding pictures: how long a minimal C program takes to read the headers of
 * every .jpg in a folder with libjpeg's jpeg_read_header, and nothing else.
 *
 *   jpeg_headers DIR [ROUNDS]
 *
 * Lists the folder once, reads every header once to warm up, then ROUNDS times more (default 9)
 * and prints the median time of one pass in milliseconds ("1000 headers: 17.912 ms"). */
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>

#include <jpeglib.h>

static int EndsInJpg(const char* name) {
    const size_t length = strlen(name);
    return length > 4 && strcasecmp(name + length - 4, ".jpg") == 0;
}

static double Now(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

static int CompareDoubles(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

/* Reads one header; libjpeg's default error handler ends the program on a damaged file. */
static unsigned long ReadWidth(const char* path) {
    FILE* file = fopen(path, "rb");
    if (file == NULL) {
        perror(path);
        exit(1);
    }
    struct jpeg_decompress_struct decoder;
    struct jpeg_error_mgr errors;
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    const unsigned long width = decoder.image_width;
    jpeg_destroy_decompress(&decoder);
    fclose(file);
    return width;
}

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: %s DIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc == 3 ? atoi(argv[2]) : 9;
    DIR* folder = opendir(argv[1]);
    if (folder == NULL || rounds < 1) {
        perror(argv[1]);
        return 2;
    }
    char** paths = NULL;
    size_t count = 0;
    for (struct dirent* entry = readdir(folder); entry != NULL; entry = readdir(folder)) {
        if (!EndsInJpg(entry->d_name)) {
            continue;
        }
        char** grown = realloc(paths, (count + 1) * sizeof *paths);
        char* path = malloc(strlen(argv[1]) + strlen(entry->d_name) + 2);
        if (grown == NULL || path == NULL) {
            fputs("out of memory\n", stderr);
            return 1;
        }
        paths = grown;
        paths[count] = path;
        sprintf(paths[count], "%s/%s", argv[1], entry->d_name);
        ++count;
    }
    closedir(folder);

    double* times = malloc((size_t)rounds * sizeof *times);
    if (times == NULL) {
        fputs("out of memory\n", stderr);
        return 1;
    }
    unsigned long widths = 0;
    for (size_t i = 0; i < count; ++i) {
        widths += ReadWidth(paths[i]); /* warm-up: every file in the page cache */
    }
    widths = 0;
    for (int round = 0; round < rounds; ++round) {
        const double start = Now();
        for (size_t i = 0; i < count; ++i) {
            widths += ReadWidth(paths[i]);
        }
        times[round] = Now() - start;
    }
    qsort(times, (size_t)rounds, sizeof *times, CompareDoubles);
    printf("%zu headers: %.3f ms (median of %d; widths %lu)\n", count, times[rounds / 2], rounds,
           widths / (unsigned long)rounds);

    for (size_t i = 0; i < count; ++i) {
        free(paths[i]);
    }
    free(paths);
    free(times);
    return 0;
}
