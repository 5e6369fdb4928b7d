# The cargo lander puts its gear down, swings out and lowers its palette,
# cycles its lights and is looked at from its three cockpit views.
# Gear down (G) and palette out (Alt+P): about 1.5 s each.
at 0.00 key Cargo G
at 0.00 key Cargo Alt+P
# The lights start on: the first Alt+B switches the strobe off, the second
# switches strobe and spotlights on.
at 2.00 key Cargo Alt+B
at 2.50 key Cargo Alt+B
# The three cockpit views, then back to the generic cockpit.
at 3.00 cockpit vc 0
at 3.20 cockpit vc 1
at 3.40 cockpit vc 2
at 3.60 cockpit generic
at 3.80 save cargo-lander-saved.scn
