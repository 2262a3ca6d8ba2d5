#pragma once

/*
 * The plain-C interface between the editor and a loadable component module.
 *
 * A module exports one function, marquis_create_component, which creates an object of the named
 * class and returns it, or returns NULL for a class it does not know (or when out of memory).
 * Every object starts with a pointer to its class's table of functions, and every table starts
 * with release, so any object can be freed the same way. Only C types cross the boundary and no
 * function lets an exception escape. An object is used by one thread at a time.
 */

#include <stdint.h>

#if defined(_WIN32)
#define MARQUIS_COMPONENT_EXPORT __declspec(dllexport)
#else
#define MARQUIS_COMPONENT_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The name under which a module exports its entry point. */
#define MARQUIS_COMPONENT_ENTRY_POINT "marquis_create_component"

/* The entry point's type: the caller casts the result to the class's object type. */
typedef void* (*MarquisCreateComponentFunction)(const char* className);

/* Class "TessalyCRC": the 32-bit check value of a single-byte text. */
#define MARQUIS_CRC_CLASS_NAME "TessalyCRC"

typedef struct MarquisCrcObject MarquisCrcObject;

typedef struct MarquisCrcTable {
    /* Frees the object; it must not be used afterwards. */
    void (*release)(MarquisCrcObject* self);
    /* Computes the value of the first length bytes of text; text must hold at least that many
     * bytes and may be NULL when length is 0. A negative length counts as 0. */
    void (*calcCrc)(MarquisCrcObject* self, const char* text, int32_t length);
    /* The value of the last computation (0 before the first). */
    int32_t (*crcValue)(const MarquisCrcObject* self);
} MarquisCrcTable;

struct MarquisCrcObject {
    const MarquisCrcTable* table;
};

#ifdef __cplusplus
}
#endif
