// The core of this subsystem grows here.
