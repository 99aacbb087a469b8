# Writes a texts table for one test product: the sample's wizard texts, and the product's own
# names for its uninstall entry and shortcuts, so that products installed side by side in one
# prefix do not share a Start-menu folder or a shortcut.
#   cmake -DSAMPLE=<sample table> -DOUTPUT=<table> -DNAME=<display name>
#         -DPUBLISHER_FOLDER=<Start-menu publisher folder> -P product_texts.cmake
file(READ ${SAMPLE} sample)
string(FIND "${sample}" "[UNINSTALL]" uninstall)
string(SUBSTRING "${sample}" 0 ${uninstall} wizard)
set(tab "\t")
file(WRITE ${OUTPUT} "${wizard}[UNINSTALL]${tab}
DISPLAY_NAME${tab}${NAME}
PUBLISHER${tab}Kestra Software
LINK_PROGRAMS_PUBLISHER${tab}${PUBLISHER_FOLDER}
LINK_PROGRAMS_FOLDER${tab}${NAME}
LINK_PROGRAMS_EXEC${tab}${NAME}
LINK_PROGRAMS_UNIST${tab}Uninstall ${NAME}
LINK_PROGRAMS_MANUAL${tab}${NAME} Manual
LINK_DESKTOP${tab}${NAME}
URL${tab}https://kestra.example/
")
