# Points of NOTARIX's first screen on the 1024 x 768 virtual screen, as the
# platform's fixed metrics lay out its frame at the default place: the
# "ファイル(F)" title of the menu bar, and the first item of its popup, which
# opens under that title.
FILE_MENU_X=45
FILE_MENU_Y=42
OPEN_ITEM_X=60
OPEN_ITEM_Y=64
