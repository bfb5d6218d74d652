// placeholder until the XM writer lands
