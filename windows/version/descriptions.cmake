# What each module's version resource calls it (the file's description in
# its properties). A module not named here is one of the test modules.
set(VH_MODULE_DESCRIPTION_Selvar_2016 "Crewed lunar lander: descent and ascent stages")
set(VH_MODULE_DESCRIPTION_SelvarCargo2016 "Uncrewed cargo lander")
set(VH_MODULE_DESCRIPTION_tarva_2016 "Crew capsule on a service module, escape tower to parachutes")
set(VH_MODULE_DESCRIPTION_beamwick2 "Spotlight riding on another vessel's attachment point")
set(VH_MODULE_DESCRIPTION_DEFAULT "Test module of the vessel modules' headless host")
