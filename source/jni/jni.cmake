# The Java bridge: sources added to brindle_core, included from the top level.
