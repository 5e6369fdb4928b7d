# The crew capsule comes home: run with physics on (the default).
# The host's flight model moves vessels straight up and down only, so the
# capsule starts falling at once; the crew's chores take the first 16 s,
# far above the air.
#
# Headlight and strobe on.
at 1.00 key Tarva Alt+B
# Solar arrays out: panels fan out one after another, then the wings swing
# out on their hinges (10 s).
at 2.00 key Tarva Alt+O
# LSP and service-module cover away (Tarva-LSP, Tarva-Cover).
at 14.00 key Tarva Alt+L
at 15.00 key Tarva Alt+K
# Service module away (Tarva-DescentStage): the capsule is in its re-entry
# stage, 7720 kg empty, with its heat shield and its large cross section.
at 16.00 key Tarva Alt+J
# From here on the altitude does the rest (mesh slots in the timeline: 0
# clean hull, 1 scorched hull, 2 service module, 3 LSP, 4 cover, 5 heat
# shield, 6 drogue, 7 escape tower, 8 palette):
#   below 9100 m (153.6 s)  the heat shield leaves (Tarva-Shield) and the
#                           scorched hull shows;
#   below 9000 m (153.7 s)  the drogue opens and slows the fall;
#   below 2000 m (760.6 s)  the drogue leaves (Tarva-drogue) and the main
#                           parachutes open;
#   below 50 m (1073.1 s)   the parachutes are cut and the landing stage
#                           begins, landing gear out;
#   touchdown at 1075.8 s, on its touchdown points.
# The capsule falls heat shield first (AROT 90 0 0: its z axis up), and the
# drag is the simulator's: each axis's cross section and coefficient by its
# share of the airflow.
# The saved scenario has the capsule down in its landing stage: "LANDING 1".
at 1650.00 save capsule-return-saved.scn
