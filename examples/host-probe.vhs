# The host's test module through a short flight. From the top of the tree,
# after building (the test module and its class files live with the tests):
#
#   build/bin/vesselhost run examples/host-probe.scn --script examples/host-probe.vhs \
#       --config tests/fixtures/config --modules build/test-modules --state probe.json
#
at 0.0  key Probe K               # consumed
at 0.5  key Probe I               # opens an input box
at 0.6  input keep                # the box's callback refuses "keep": it stays open
at 0.7  input done                # and closes on anything else
at 1.0  hold Probe H 0.5          # seen every frame by the direct-key callback
at 1.2  hold Probe Shift 0.1      # holds combine: Shift+H for 0.1 s
at 2.0  key Probe S               # refused without Shift
at 2.0  key Probe Shift+S
at 2.5  cockpit vc 1              # HUD and MFD registered, neighbours 0 and 2
at 2.5  visual Probe on           # the probe sets a material on its visual
at 3.0  hud Probe 800x600
at 3.0  dock Probe 0 on
at 3.5  altitude Probe-Piece 20   # the spawned piece, which the scenario does not name
at 10   focus Mast                # no virtual cockpit: the generic one takes over
