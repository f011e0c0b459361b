// Placeholder so the layer library has a source until the source model lands.
namespace quillon {}
