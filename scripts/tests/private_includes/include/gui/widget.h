// public
