/* Resource identifiers shared by the resource script and the program. */
#ifndef QUILLON_RESOURCES_RESOURCE_IDS_H
#define QUILLON_RESOURCES_RESOURCE_IDS_H

#define QUILLON_ICON_GROUP 1   /* the application and window icon */
#define QUILLON_ACCELERATORS 1 /* the main window's keys */

#define QUILLON_COPY_REPORT 40003 /* command: the report onto the clipboard */

#endif
