{ Stand-in for the target environment's ShareMem unit, which a library and its host use first so
  that they share one memory manager. Free Pascal needs nothing of it. }
unit ShareMem;

interface

implementation

end.
