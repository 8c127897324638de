/* The program's version: the caption, the About window and the version resource all read it. */
#ifndef QUILLON_RESOURCES_VERSION_H
#define QUILLON_RESOURCES_VERSION_H

#define QUILLON_VERSION_MAJOR 3
#define QUILLON_VERSION_MINOR 10
/* The same two numbers as text, for the version resource's strings. */
#define QUILLON_VERSION_TEXT "3.10"

/* The copyright line of the version resource and the About window. */
#define QUILLON_COPYRIGHT "Copyright (C) 2026 Orvel Software"

#endif
